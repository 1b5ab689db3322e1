// Error messages: the error file and string resources, errors reported by
// the application (vwSetViewError) and keys looked up by the view.
#include <gtest/gtest.h>

#include <string>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

void WriteFile(const char* name, const char* content) {
    HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    ::WriteFile(h, content, lstrlenA(content), &n, nullptr);
    CloseHandle(h);
}

std::vector<VWERRORREC> g_records;  // what VWM_SHOWERROR brought (text copied below)
std::vector<std::string> g_texts;
LRESULT g_answer = 0;
int g_done = 0;

LRESULT CALLBACK RecordingViewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_SHOWERROR && l) {
        auto* r = reinterpret_cast<VWERRORREC*>(l);
        EXPECT_EQ(GlobalSize(GlobalHandle(r)), sizeof(VWERRORREC));
        g_records.push_back(*r);
        g_texts.push_back(std::string(r->directives) + "|" + r->text + "|" + r->caption);
        return g_answer;
    }
    if (m == VWM_ERRORDONE) ++g_done;
    return DefViewProc(h, m, w, l);
}

// The current directory is searched first; the view names the file.
struct Messages : ::testing::Test {
    void SetUp() override {
        WriteFile("tsmsg1.txt", "E100,Value must be positive\r\nE1,Too large, try again\r\n");
        g_records.clear();
        g_texts.clear();
        g_done = 0;
        view.reset(vwOpenView(Instance(), "messages", WS_POPUP, nullptr, RecordingViewProc, 0));
        vwSetFieldEx(view.get(), 9, "edit", "12", WS_TABSTOP, 0, 0, 0, 40, 10, nullptr, nullptr);
        vwSetViewMessageFile(view.get(), "tsmsg1.txt");
    }
    void TearDown() override { DeleteFileA("tsmsg1.txt"); }
    ViewGuard view;
};

} // namespace

TEST_F(Messages, FileAndResourceLookups) {
    LPSTR s = vwMessageLookup(view.get(), nullptr, "E1", 0);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "Too large, try again");
    WriteFile("tsmsg1.txt", "E1,changed\n");  // read afresh, into the same buffer
    EXPECT_EQ(vwMessageLookup(view.get(), "", "E1", 0), s);
    EXPECT_STREQ(s, "changed");
    EXPECT_EQ(vwMessageLookup(view.get(), "tsmsg1.txt", "e1", 0), nullptr);
    EXPECT_STREQ(vwMessageLookup(view.get(), nullptr, MAKEINTRESOURCEA(3001), VWML_RESOURCE), "Value must be positive");
    EXPECT_STREQ(vwMessageLookup(view.get(), "no.txt", "2105", VWML_RESOURCE), "Opens a file");
    EXPECT_EQ(vwMessageLookup(view.get(), nullptr, "3999", VWML_RESOURCE), nullptr);
    MessageBoxCapture boxes;
    EXPECT_EQ(vwMessageLookup(view.get(), "nofile.txt", "E1", 0), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "System Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to open error file: nofile.txt");
}

TEST_F(Messages, SetViewErrorSendsARecordOrFallsBackToABox) {
    g_answer = VWSE_HANDLED;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 7, 7, "Plain", VWSVE_MBOX | VWSVE_BEEP), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E7", VWSVE_KEY), 0);
    g_answer = VWSE_HANDLED | VWSE_WARNING;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", 0), 1);
    ASSERT_EQ(g_texts.size(), 4u);
    EXPECT_EQ(g_texts[0], "@MBOX@BEEP|Plain|Error");
    EXPECT_EQ(g_texts[1], "|Too large, try again|Error");
    EXPECT_EQ(g_texts[2], "|Error detected|Error");
    EXPECT_EQ(g_records[0].hField, vwGetFieldWindow(view.get(), 9));
    EXPECT_EQ(g_records[0].fieldId, 9);
    EXPECT_EQ(g_done, 0);
    // not handled: the message itself, never looked up, in a box
    g_answer = 0;
    MessageBoxCapture boxes;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.boxes()[0].text, "E1");
    EXPECT_EQ(g_done, 1);
    vwSetViewEditingOff(view.get());
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", VWSVE_MBOX), 0);
    EXPECT_EQ(boxes.boxes().size(), 1u);  // nothing more
    EXPECT_EQ(g_texts.size(), 5u);
}

TEST_F(Messages, ShowErrorLooksTheKeyUpInPlace) {
    MessageBoxCapture boxes;
    char text[256] = "E100";
    VWERRORREC rec = {};
    rec.directives = "@MBOX@LOOKUP";
    rec.text = text;
    rec.caption = "Check";
    g_answer = 0;
    EXPECT_EQ(DefViewProc(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec)), VWSE_HANDLED);
    EXPECT_STREQ(text, "Value must be positive");
    lstrcpyA(text, "E9");  // not in the file: the text stays
    DefViewProc(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "Value must be positive");
    EXPECT_EQ(boxes.boxes()[1].text, "E9");
}
