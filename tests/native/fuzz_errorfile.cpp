// Error-file lookups on arbitrary input: key, a 0 byte, file image.  The
// text must lie inside the image, within one line and the line buffer.
#include <cstdint>
#include <cstdlib>

#include "core/errorfile.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    const std::size_t split = in.find('\0');
    std::string_view key = in.substr(0, split);
    std::string_view image = split == std::string_view::npos ? std::string_view() : in.substr(split + 1);
    if (auto text = find_error_text(image, key)) {
        const char* end = image.data() + image.size();
        if (text->size() > kErrorLineLength || (text->size() && (text->data() < image.data() || text->data() + text->size() > end)) ||
            text->find('\n') != std::string_view::npos || text->find('\0') != std::string_view::npos)
            std::abort();
    }
    return 0;
}
