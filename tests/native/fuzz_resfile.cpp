// Fuzz target: the readers of .res files and PE resource directories never
// read outside the file, whatever its offsets and counts say.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/resfile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> file(data, size);
    ts::core::ResourceFile res = ts::core::read_resources(file);
    for (const auto& e : res.entries) {
        if (!e.data.empty() && (e.data.data() < data || e.data.data() + e.data.size() > data + size)) __builtin_trap();
        (void)e.name.text();
    }
    return 0;
}
