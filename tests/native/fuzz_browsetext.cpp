// Any bytes as a viewed file in blocks of 3 to 66 bytes (the first byte
// says): a line read on from an earlier one equals the line found afresh.
#include <cstdlib>
#include <string>

#include "core/browsetext.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const ts::core::BrowseText t = ts::core::index_browse_text({reinterpret_cast<const char*>(data + 1), size - 1}, 3 + data[0] % 64);
    ts::core::BrowseLines walk;
    walk.set_chunks(t.chunks);
    const std::uint32_t stride = 1 + t.lineCount / 32;  // about 32 lines in order, every fourth compared
    for (std::uint32_t line = 0, n = 0; line <= t.lineCount + 1; line += stride, ++n) {
        const std::string inOrder(walk.text(line, 24));
        ts::core::BrowseLines fresh;
        if (n % 4 == 0 && (fresh.set_chunks(t.chunks), inOrder != fresh.text(line, 24))) std::abort();
    }
    return 0;
}
