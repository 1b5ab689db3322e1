// The readers of .res files and PE resource directories never read outside
// the file, whatever its offsets and counts say.
#include "core/resfile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& e : ts::core::read_resources({data, size}).entries) {
        if (!e.data.empty() && (e.data.data() < data || e.data.data() + e.data.size() > data + size)) __builtin_trap();
        (void)e.name.text();
    }
    return 0;
}
