// State shared by the print job, its progress view and its abort procedure.
#pragma once
#include "view/internal.h"

namespace ts {

struct PrintState {
    bool abort = false;        // a command of the progress view cancels
    VWVIEW* progress = nullptr;
    HWND progressWindow = nullptr;
    char titleLine[40] = {};
};
extern PrintState g_print;

} // namespace ts
