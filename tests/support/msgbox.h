// Captures the message boxes a test provokes: each box is read (caption,
// text, whether it is topmost as system-modal boxes are) and closed with
// its default button, so no test ever blocks on one.  The system's file and
// colour dialogs are dialogs too but are left to the test that opened them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tstest {

struct CapturedBox {
    std::string caption;
    std::string text;
    bool topmost = false;
};

class MessageBoxCapture {
public:
    MessageBoxCapture() : hook_(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())) {
        boxes_.clear();
        answers_.clear();
    }
    ~MessageBoxCapture() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    const std::vector<CapturedBox>& boxes() const { return boxes_; }
    // The boxes so far as "caption: text", joined by " | ".
    std::string transcript() const {
        std::string out;
        for (const CapturedBox& b : boxes_) out += (out.empty() ? "" : " | ") + b.caption + ": " + b.text;
        return out;
    }
    void clear() { boxes_.clear(); }
    // The next boxes are closed with these buttons (IDYES, IDNO, ...), in
    // order; once they are used up, boxes get IDOK again.
    void answer(std::vector<int> buttons) { answers_ = std::move(buttons); }

private:
    static inline std::vector<CapturedBox> boxes_;
    static inline std::vector<int> answers_;

    // A system-modal box is activated before its text is set: the box is
    // read from a timer that fires inside its own message loop.
    static void CALLBACK ReadBox(HWND box, UINT, UINT_PTR id, DWORD) {
        KillTimer(box, id);
        // file name box (explorer and old style), colour edit: not a message box
        if (GetDlgItem(box, 1148) || GetDlgItem(box, 1152) || GetDlgItem(box, 706)) return;
        char caption[256] = {}, text[1024] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        boxes_.push_back({caption, text, (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0});
        const int button = answers_.empty() ? IDOK : answers_.front();
        if (!answers_.empty()) answers_.erase(answers_.begin());
        PostMessageA(box, WM_COMMAND, button, 0);
    }
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
        char cls[16] = {};
        HWND h = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetClassNameA(h, cls, sizeof cls) && !lstrcmpA(cls, "#32770"))
            SetTimer(h, 0x7E57, 10, ReadBox);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

} // namespace tstest
