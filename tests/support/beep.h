// Records the beeps tscore32.dll sounds: while a BeepRecorder lives, the
// library's import of user32!MessageBeep points at a counter instead.
#pragma once
#include "imports.h"

namespace tstest {

class BeepRecorder {
public:
    BeepRecorder() { beeps_ = 0; }
    bool installed() const { return patch_.installed(); }
    int count() const { return beeps_; }
    void reset() { beeps_ = 0; }

private:
    static inline int beeps_ = 0;
    static BOOL WINAPI Record(UINT) {
        ++beeps_;
        return TRUE;
    }
    ImportPatch patch_{"user32.dll", "MessageBeep", reinterpret_cast<void*>(&Record)};
};

} // namespace tstest
