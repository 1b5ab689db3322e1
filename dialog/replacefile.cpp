#include "dialog/replacefile.h"

namespace ts {
namespace {

constexpr DWORD kChunk = 0x10000;  // bytes per WriteFile

} // namespace

ReplacingFile::ReplacingFile(const char* target) {
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(target, sizeof target_, target_, &name);
    if (n == 0 || n >= sizeof target_ || !name || !*name) return;
    targetAttributes_ = GetFileAttributesA(target_);
    // a read-only file or a folder of that name is not replaced
    if (targetAttributes_ != INVALID_FILE_ATTRIBUTES &&
        (targetAttributes_ & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return;
    char folder[MAX_PATH] = {};
    const std::size_t folderLength = static_cast<std::size_t>(name - target_);
    lstrcpynA(folder, target_, static_cast<int>(folderLength + 1));
    if (!GetTempFileNameA(folder, "tse", 0, temp_)) {
        temp_[0] = '\0';
        return;
    }
    handle_ = CreateFileA(temp_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!ok()) discard();
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::discard() {
    if (ok()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (temp_[0]) DeleteFileA(temp_);
    temp_[0] = '\0';
}

bool ReplacingFile::write(std::string_view data) {
    while (ok() && !failed_ && !data.empty()) {
        const DWORD want = data.size() < kChunk ? static_cast<DWORD>(data.size()) : kChunk;
        DWORD done = 0;
        // a full disk or a size limit may take part of a chunk, then nothing
        if (!WriteFile(handle_, data.data(), want, &done, nullptr) || done == 0 || done > want) failed_ = true;
        else data.remove_prefix(done);
    }
    return ok() && !failed_;
}

bool ReplacingFile::commit() {
    if (!ok() || failed_) return false;
    const bool flushed = FlushFileBuffers(handle_) != 0;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    if (!flushed || !closed) {
        discard();
        return false;
    }
    // the file keeps what it was marked as (archive, hidden, ...)
    if (targetAttributes_ != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(temp_, targetAttributes_);
    if (!MoveFileExA(temp_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        discard();
        return false;
    }
    temp_[0] = '\0';
    return true;
}

} // namespace ts
