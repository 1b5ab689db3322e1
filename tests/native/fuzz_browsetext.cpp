// Any bytes as a viewed file, read in blocks of 3 to 66 bytes (the first
// byte says) so that lines cross many chunk boundaries: indexing and the
// lines must stay in bounds, and a line read on from an earlier one must
// equal the line found afresh.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/browsetext.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const ts::core::BrowseText t = ts::core::index_browse_text(file, 3 + data[0] % 64);
    ts::core::BrowseLines walk;
    walk.set_chunks(t.chunks);
    // about 32 lines in order, every fourth of them compared
    const std::uint32_t stride = 1 + t.lineCount / 32;
    for (std::uint32_t line = 0, n = 0; line <= t.lineCount + 1; line += stride, ++n) {
        const std::string_view inOrder = walk.text(line, 24);
        if (n % 4 != 0) continue;
        const std::string kept(inOrder);
        ts::core::BrowseLines fresh;
        fresh.set_chunks(t.chunks);
        if (kept != fresh.text(line, 24)) std::abort();
    }
    return 0;
}
