// Error-file lookups on arbitrary input: key, a 0 byte, file image.  The
// text lies inside the image, within one line and the line buffer.
#include <cstdlib>

#include "core/errorfile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size), key = in.substr(0, in.find('\0'));
    const std::string_view image = key.size() < size ? in.substr(key.size() + 1) : std::string_view();
    if (auto text = ts::core::find_error_text(image, key))
        if (text->size() > ts::core::kErrorLineLength || text->find_first_of(std::string_view("\n\0", 2)) != text->npos ||
            (!text->empty() && (text->data() < image.data() || text->data() + text->size() > image.data() + image.size())))
            std::abort();
    return 0;
}
