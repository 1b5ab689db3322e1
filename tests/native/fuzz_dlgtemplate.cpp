// The dialog template reader never reads outside its data.
#include "core/dlgtemplate.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (ts::core::read_dialog_template({data, size}).items.size() > size / 18) __builtin_trap();  // 18 bytes an item at least
    return 0;
}
