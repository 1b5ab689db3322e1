// Records the beeps tscore32.dll sounds: while a BeepRecorder lives, the
// library's import of user32!MessageBeep points at a recorder instead.
#pragma once
#include <windows.h>

namespace tstest {

class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;

    // false when the library's import table has no MessageBeep entry
    bool installed() const { return slot_ != nullptr; }
    int count() const;
    void reset();

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace tstest
