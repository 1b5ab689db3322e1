// A file written beside its target and put in the target's place in one
// step: until then the target keeps its bytes, and a failure on the way
// leaves it as it was and removes what was written.
#pragma once
#include <windows.h>

#include <string_view>

namespace ts {

class ReplacingFile {
public:
    // Makes the temporary file in the target's folder; a read-only target
    // or a folder that cannot take a new file leaves ok() false.
    explicit ReplacingFile(const char* target);
    // Removes the temporary file unless it has replaced the target.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Appends every byte, or answers false.
    bool write(std::string_view data);
    // Flushes and closes the temporary file and puts it in the target's
    // place; false when any of it fails.
    bool commit();

private:
    void discard();

    char target_[MAX_PATH] = {};
    char temp_[MAX_PATH] = {};
    DWORD targetAttributes_ = INVALID_FILE_ATTRIBUTES;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool failed_ = false;
};

} // namespace ts
