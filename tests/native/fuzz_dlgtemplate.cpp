// Fuzz target: the dialog template reader never reads outside its data.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/dlgtemplate.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ts::core::DialogTemplate t = ts::core::read_dialog_template(std::span<const std::uint8_t>(data, size));
    return t.items.size() > size ? 1 : 0;
}
