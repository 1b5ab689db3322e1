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
    MessageBoxCapture();
    ~MessageBoxCapture();
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    const std::vector<CapturedBox>& boxes() const;
    // The boxes so far as "caption: text", joined by " | ".
    std::string transcript() const;
    void clear();
    // The next boxes are closed with these buttons (IDYES, IDNO, ...), in
    // order; once they are used up, boxes get IDOK again.
    void answer(std::vector<int> buttons);

private:
    HHOOK hook_;
};

} // namespace tstest
