#include "core/errorfile.hpp"

#include <algorithm>

namespace ts::core {
namespace {

// The next line of the image without its line end, cut to the line buffer.
std::string_view next_line(std::string_view& rest) {
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line.substr(0, std::min(line.size(), kErrorLineLength));
}

} // namespace

std::optional<std::string_view> find_error_text(std::string_view image, std::string_view key) {
    image = image.substr(0, image.find('\0'));
    const std::string_view wanted = key.substr(0, std::min(key.size(), kErrorKeyLength));
    while (!image.empty()) {
        std::string_view line = next_line(image);
        const std::size_t start = line.find_first_not_of(',');
        if (start == std::string_view::npos) continue;  // empty, or only commas
        line.remove_prefix(start);
        const std::size_t comma = line.find(',');
        std::string_view lineKey = line.substr(0, comma);
        if (lineKey.substr(0, std::min(lineKey.size(), kErrorKeyLength)) != wanted) continue;
        if (comma == std::string_view::npos) return line.substr(line.size());
        return line.substr(comma + 1);
    }
    return std::nullopt;
}

} // namespace ts::core
