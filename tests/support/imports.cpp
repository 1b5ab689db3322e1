#include "imports.h"

#include <cstring>

namespace tstest {
namespace {

// The import address table entry of tscore32.dll for `dll`!`name`, or for
// the ordinal `ordinal` when `name` is null.
void** ImportSlot(const char* dll, const char* name, WORD ordinal) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("tscore32.dll"));
    if (!base) return nullptr;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            const bool match = IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                ? !name && IMAGE_ORDINAL(names->u1.Ordinal) == ordinal
                : name && !std::strcmp(reinterpret_cast<const char*>(
                              reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name), name);
            if (match) return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void Patch(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

} // namespace

ImportPatch::ImportPatch(const char* dll, const char* function, void* replacement)
    : slot_(ImportSlot(dll, function, 0)) {
    Install(replacement);
}

ImportPatch::ImportPatch(const char* dll, WORD ordinal, void* replacement) : slot_(ImportSlot(dll, nullptr, ordinal)) {
    Install(replacement);
}

void ImportPatch::Install(void* replacement) {
    if (!slot_) return;
    original_ = *slot_;
    Patch(slot_, replacement);
}

ImportPatch::~ImportPatch() {
    if (slot_) Patch(slot_, original_);
}

} // namespace tstest
