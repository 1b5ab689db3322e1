#include "msgbox.h"

namespace tstest {
namespace {

std::vector<CapturedBox> g_boxes;
std::vector<int> g_answers;
constexpr UINT_PTR kReadTimer = 0x7E57;

// A system-modal box is activated before its text is set: the box is read
// from a timer that fires inside its own message loop.
void CALLBACK ReadBox(HWND box, UINT, UINT_PTR id, DWORD) {
    KillTimer(box, id);
    // file name box (explorer and old style), colour edit: not a message box
    if (GetDlgItem(box, 1148) || GetDlgItem(box, 1152) || GetDlgItem(box, 706)) return;
    CapturedBox b;
    char buf[1024] = {};
    GetWindowTextA(box, buf, sizeof buf);
    b.caption = buf;
    buf[0] = '\0';
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
    b.text = buf;
    b.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    g_boxes.push_back(b);
    int button = IDOK;
    if (!g_answers.empty()) {
        button = g_answers.front();
        g_answers.erase(g_answers.begin());
    }
    PostMessageA(box, WM_COMMAND, button, 0);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND h = reinterpret_cast<HWND>(wParam);
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) SetTimer(h, kReadTimer, 10, ReadBox);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

MessageBoxCapture::MessageBoxCapture()
    : hook_(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())) {
    g_boxes.clear();
    g_answers.clear();
}

MessageBoxCapture::~MessageBoxCapture() {
    if (hook_) UnhookWindowsHookEx(hook_);
}

const std::vector<CapturedBox>& MessageBoxCapture::boxes() const { return g_boxes; }
std::string MessageBoxCapture::transcript() const {
    std::string out;
    for (const CapturedBox& b : g_boxes) out += (out.empty() ? "" : " | ") + b.caption + ": " + b.text;
    return out;
}

void MessageBoxCapture::clear() { g_boxes.clear(); }
void MessageBoxCapture::answer(std::vector<int> buttons) { g_answers = std::move(buttons); }

} // namespace tstest
