// Error messages: the error file and string resources (vwMessageLookup),
// errors reported by the application (vwSetViewError) and keys looked up
// by the view ("@LOOKUP").
#include <gtest/gtest.h>

#include <string>

#include "msgbox.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

// A file in the current directory, which OpenFile searches first.
class TextFile {
public:
    TextFile(const char* name, const std::string& content) : name_(name) { Write(content); }
    ~TextFile() { DeleteFileA(name_); }
    void Write(const std::string& content) {
        HANDLE h = CreateFileA(name_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &n, nullptr);
        CloseHandle(h);
    }
private:
    const char* name_;
};

// The records VWM_SHOWERROR brought, and what the view then answered.
struct SeenRecord {
    std::string directives, text, caption;
    LONG_PTR fieldId;
    HWND hField;
    SIZE_T blockSize;
    bool zeroRest;
};
std::vector<SeenRecord> g_records;
LRESULT g_answer = -1;  // -1: the default procedure answers
MessageLog g_done;

LRESULT CALLBACK RecordingViewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_SHOWERROR && l) {
        auto* r = reinterpret_cast<VWERRORREC*>(l);
        g_records.push_back({r->directives, r->text, r->caption, r->fieldId, r->hField,
                             GlobalSize(GlobalHandle(r)),
                             !r->kind && !r->code && !r->x && !r->y && !r->width && !r->height && !r->textColor &&
                                 !r->bkColor});
        if (g_answer != -1) return g_answer;
    }
    if (m == VWM_ERRORDONE) g_done.add(h, m, w, l);
    return DefViewProc(h, m, w, l);
}

const char kFile[] = "tsmsg1.txt";
const std::string kContent = "E100,Value must be positive\r\n,,E1,Too large, try again\r\nE1,second\r\nE2";

struct Messages : ::testing::Test {
    void SetUp() override {
        g_records.clear();
        g_done.clear();
        g_answer = -1;
        view.reset(vwOpenView(Instance(), "messages", WS_POPUP, nullptr, RecordingViewProc, 0));
        vwSetFieldEx(view.get(), 9, "edit", "12", WS_TABSTOP, 0, 0, 0, 40, 10, nullptr, nullptr);
        vwSetViewMessageFile(view.get(), kFile);
    }
    std::string Lookup(const char* key, const char* file = nullptr) {
        LPSTR s = vwMessageLookup(view.get(), file, key, 0);
        return s ? s : "<none>";
    }
    TextFile file{kFile, kContent};
    ViewGuard view;
};

} // namespace

TEST_F(Messages, FileLookupIsKeyedCaseSensitiveAndReadAfresh) {
    EXPECT_EQ(Lookup("E1"), "Too large, try again");  // no CR, commas kept, first line wins
    EXPECT_EQ(Lookup("E100", kFile), "Value must be positive");
    EXPECT_EQ(Lookup("e1"), "<none>");
    EXPECT_EQ(Lookup("E2"), "");  // last line, no comma
    // one library-wide buffer, and the file is read on every lookup
    LPSTR first = vwMessageLookup(view.get(), nullptr, "E1", 0);
    file.Write("E1,changed\n");
    LPSTR second = vwMessageLookup(view.get(), "", "E1", 0);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "changed");
}

TEST_F(Messages, MissingFileIsReportedEachTime) {
    MessageBoxCapture boxes;
    EXPECT_EQ(vwMessageLookup(view.get(), "nofile.txt", "E1", 0), nullptr);
    EXPECT_EQ(vwMessageLookup(view.get(), "nofile.txt", "E1", 0), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, "System Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to open error file: nofile.txt");
}

TEST_F(Messages, StringResourcesByNumberOrDecimalText) {
    LPSTR s = vwMessageLookup(view.get(), nullptr, MAKEINTRESOURCEA(3001), VWML_RESOURCE);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "Value must be positive");
    s = vwMessageLookup(view.get(), "ignored.txt", "2105", VWML_RESOURCE);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "Opens a file");
    EXPECT_EQ(vwMessageLookup(view.get(), nullptr, "3999", VWML_RESOURCE), nullptr);
}

TEST_F(Messages, SetViewErrorSendsARecordAndLooksKeysUp) {
    g_answer = VWSE_HANDLED;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "Plain text", VWSVE_MBOX | VWSVE_BEEP), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E7", VWSVE_KEY), 0);
    ASSERT_EQ(g_records.size(), 3u);
    const SeenRecord& r = g_records[0];
    EXPECT_EQ(r.directives, "@MBOX@BEEP");
    EXPECT_EQ(r.text, "Plain text");
    EXPECT_EQ(r.caption, "Error");
    EXPECT_EQ(r.fieldId, 9);
    EXPECT_EQ(r.hField, vwGetFieldWindow(view.get(), 9));
    EXPECT_EQ(r.blockSize, sizeof(VWERRORREC));
    EXPECT_TRUE(r.zeroRest);
    EXPECT_EQ(g_records[1].directives, "");
    EXPECT_EQ(g_records[1].text, "Too large, try again");
    EXPECT_EQ(g_records[2].text, "Error detected");
    // a warning answers 1
    g_answer = VWSE_HANDLED | VWSE_WARNING;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", 0), 1);
    EXPECT_TRUE(g_done.entries().empty());  // the view proc answered alone
}

TEST_F(Messages, UnhandledErrorsFallBackToABoxWithTheMessageItself) {
    g_answer = 0;
    MessageBoxCapture boxes;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.boxes()[0].text, "E1");  // never looked up here
    ASSERT_EQ(g_done.entries().size(), 1u);
    EXPECT_EQ(g_done.entries()[0].wParam, 9u);
    // editing off: nothing at all
    vwSetViewEditingOff(view.get());
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", VWSVE_MBOX), 0);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(g_records.size(), 1u);
}

TEST_F(Messages, ShowErrorLooksTheKeyUpInPlace) {
    MessageBoxCapture boxes;
    char text[256] = "E100";
    VWERRORREC rec = {};
    rec.fieldId = 9;
    rec.directives = "@MBOX@LOOKUP";
    rec.text = text;
    rec.caption = "Check";
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec)), VWSE_HANDLED);
    EXPECT_STREQ(text, "Value must be positive");
    lstrcpyA(text, "E9");  // not in the file: the text stays
    SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "Value must be positive");
    EXPECT_EQ(boxes.boxes()[0].caption, "Check");
    EXPECT_EQ(boxes.boxes()[1].text, "E9");
}
