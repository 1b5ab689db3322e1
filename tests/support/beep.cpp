#include "beep.h"

namespace tstest {
namespace {

int g_beeps = 0;

BOOL WINAPI RecordBeep(UINT) {
    ++g_beeps;
    return TRUE;
}

} // namespace

BeepRecorder::BeepRecorder() : patch_("user32.dll", "MessageBeep", reinterpret_cast<void*>(&RecordBeep)) {
    g_beeps = 0;
}

int BeepRecorder::count() const { return g_beeps; }
void BeepRecorder::reset() { g_beeps = 0; }

} // namespace tstest
