// Keyword matching, argument splitting, editing and text rules on arbitrary
// input: keyword, a 0 byte, directive string, a 0 byte, field text.
#include <cstdint>
#include <cstdlib>

#include "core/directives.hpp"
#include "core/validate.hpp"

using namespace ts::core;

static std::string_view next_part(std::string_view& in) {
    std::string_view part = in.substr(0, in.find('\0'));
    in.remove_prefix(part.size() < in.size() ? part.size() + 1 : in.size());
    return part;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string_view keyword = next_part(in), directives = next_part(in), text = next_part(in);
    if (auto m = find_keyword(directives, keyword)) {
        const char* end = directives.data() + directives.size();
        if (m->pos + keyword.size() > directives.size() || m->argument.data() + m->argument.size() > end ||
            m->argument.find(')') != std::string_view::npos)
            std::abort();
        for (std::string_view part : split_arguments(m->argument))
            if (part.data() < m->argument.data() || part.data() + part.size() > end) std::abort();
    }
    if (auto edited = with_keyword(directives, keyword, 255))
        if ((edited->size() > 255 && *edited != directives) || !has_keyword(*edited, keyword)) std::abort();
    static constexpr LeadBytes cp932 = LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);
    (void)broken_text_rule(text, directives);
    (void)broken_text_rule(text, directives, cp932);
    return 0;
}
