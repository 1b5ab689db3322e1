#include <gtest/gtest.h>

#include "helio_testing.h"

using namespace helio_test;

namespace {

// Global atoms outlive the process in a persistent wineserver: names of
// this process's own keep the atom check independent of other runs.
const std::string g_id = std::to_string(GetCurrentProcessId());
const std::string g_app = "HelioApp" + g_id, g_topic = "HelioTopic" + g_id, g_item = "HelioItem" + g_id;
const std::string g_names = g_app + "," + g_topic + "," + g_item;
const std::string g_serverDirectives = "@NUM@SERVER(" + g_names + ")";
HWND g_serverField;

// Plays a view, which passes WM_DDE_INITIATE on to its fields.
LRESULT CALLBACK view_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_INITIATE && g_serverField)
        return hlDdeMessage(g_serverField, m, w, l, g_serverDirectives.c_str());
    return DefWindowProcA(h, m, w, l);
}

bool has(HWND h, const char* property) { return GetPropA(h, property) != nullptr; }

} // namespace

TEST(HelioDde, HotLinkBetweenTwoFields) {
    HWND view = frame("HelioTestDdeView", view_proc);
    g_serverField = child(view, "EDIT", "", 10);
    HWND client = child(view, "EDIT", "", 150);

    // The server field becomes one when the client's broadcast reaches it.
    EXPECT_EQ(hlDdeAdvise(g_serverField, "early"), 0);
    std::string clientDirectives = "@CLIENT(" + g_names + ")";
    CharLowerA(clientDirectives.data());  // names compare without regard to case
    ASSERT_NE(hlDdeConnect(client, clientDirectives.c_str()), 0);
    EXPECT_TRUE(has(client, "CLIENT"));
    EXPECT_TRUE(has(g_serverField, "SERVER"));
    pump();
    EXPECT_NE(hlDdeAdvise(g_serverField, "42"), 0);
    pump();
    EXPECT_EQ(text_of(client), "42");
    SetWindowTextA(client, "stale");
    EXPECT_NE(hlDdeRequest(client), 0);
    pump();
    EXPECT_EQ(text_of(client), "42");
    EXPECT_EQ(hlDdeRequest(g_serverField), 0);

    EXPECT_NE(hlDdeTerminate(client), 0);
    EXPECT_FALSE(has(client, "CLIENT") || has(client, "HLDDE"));
    pump();
    EXPECT_NE(hlDdeAdvise(g_serverField, "43"), 0);
    pump();
    EXPECT_EQ(text_of(client), "42");  // no longer linked
    EXPECT_NE(hlDdeTerminate(g_serverField), 0);
    EXPECT_FALSE(has(g_serverField, "SERVER"));
    EXPECT_EQ(hlDdeAdvise(g_serverField, "44"), 0);
    g_serverField = nullptr;
    pump();
    for (const std::string& name : {g_app, g_topic, g_item})  // every atom deleted again
        EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0) << name;
    DestroyWindow(view);
}

TEST(HelioDde, PropertiesPerWindowKind) {
    HWND view = frame();
    HWND combo = child(view, "COMBOBOX", "", 10, CBS_DROPDOWN);
    HWND edit = child(view, "EDIT", "", 150);
    EXPECT_NE(hlDdeConnect(combo, "@SERVER(app,topic,item)"), 0);
    EXPECT_TRUE(has(combo, "SERVER1"));
    EXPECT_FALSE(has(combo, "SERVER"));
    EXPECT_EQ(hlDdeConnect(edit, "@NUM@SERVERS(app,topic,item)"), 0);
    EXPECT_EQ(hlDdeConnect(edit, "@SERVER(app)"), 0);  // a topic is needed
    EXPECT_FALSE(has(edit, "SERVER"));
    EXPECT_NE(hlDdeTerminate(combo), 0);
    EXPECT_FALSE(has(combo, "SERVER1"));
    DestroyWindow(view);
}
