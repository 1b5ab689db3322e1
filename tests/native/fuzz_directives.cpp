// Keyword matching, argument splitting, editing and text rules on arbitrary
// input: keyword, a 0 byte, directive string, a 0 byte, field text.
#include <cstdlib>

#include "core/directives.hpp"
#include "core/validate.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size), keyword = in.substr(0, in.find('\0'));
    const std::string_view rest = in.substr(std::min(keyword.size() + 1, size)), directives = rest.substr(0, rest.find('\0'));
    const std::string_view text = rest.substr(std::min(directives.size() + 1, rest.size()));
    const char* end = directives.data() + directives.size();
    if (auto m = find_keyword(directives, keyword)) {
        if (m->pos + keyword.size() > directives.size() || m->argument.data() + m->argument.size() > end ||
            m->argument.find(')') != std::string_view::npos)
            std::abort();
        for (std::string_view part : split_arguments(m->argument))
            if (part.data() < m->argument.data() || part.data() + part.size() > end) std::abort();
    }
    if (auto edited = with_keyword(directives, keyword, 255))
        if ((edited->size() > 255 && *edited != directives) || !has_keyword(*edited, keyword)) std::abort();
    (void)broken_text_rule(text, directives);
    (void)broken_text_rule(text, directives, LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC));
    return 0;
}
