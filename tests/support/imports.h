// Points one import of tscore32.dll at a test function while the object
// lives: the seam for what a test machine lacks (a printer) or cannot
// observe (the beeper, programs started for "@PROG").  Imports are found by
// name, or by ordinal for the companion library's operations.
#pragma once
#include <windows.h>

namespace tstest {

class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement);
    ImportPatch(const char* dll, WORD ordinal, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // false when the library does not import the function
    bool installed() const { return slot_ != nullptr; }

private:
    void Install(void* replacement);
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace tstest
