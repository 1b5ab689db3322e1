// Any bytes as a viewed file: indexing and every line must stay in bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/browsetext.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const ts::core::BrowseText t = ts::core::index_browse_text(file);
    for (int line = 0; line <= t.lineCount + 1 && line < 2000; ++line) (void)ts::core::browse_line(t, line);
    return 0;
}
