// Records the beeps tscore32.dll sounds: while a BeepRecorder lives, the
// library's import of user32!MessageBeep points at a counter instead.
#pragma once
#include "imports.h"

namespace tstest {

class BeepRecorder {
public:
    BeepRecorder();
    bool installed() const { return patch_.installed(); }
    int count() const;
    void reset();

private:
    ImportPatch patch_;
};

} // namespace tstest
