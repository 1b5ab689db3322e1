// Keyword extraction and editing over directive strings.
#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"
#include "helio/internal.h"

namespace {
// Size of the directive buffers hlEditKeyword works in.
constexpr std::size_t kDirectiveBuffer = 256;
}

int WINAPI hlGetKeyword(LPCSTR directives, LPCSTR keyword, LPSTR out) {
    if (out) out[0] = '\0';
    if (!directives || !keyword) return 0;
    auto match = ts::core::find_keyword(directives, keyword);
    if (!match) return 0;
    ts::core::copy_bounded(out, HL_KEYWORD_BUFFER, match->argument);
    return 1;
}

int WINAPI hlEditKeyword(LPSTR directives, LPCSTR keyword) {
    if (!directives || !keyword) return 0;
    std::size_t length = strnlen(directives, kDirectiveBuffer);
    std::string_view text(directives, length);
    if (length == kDirectiveBuffer)  // no terminator: look, but never write
        return ts::core::has_keyword(text, keyword) ? 1 : 0;
    auto edited = ts::core::with_keyword(text, keyword, kDirectiveBuffer - 1);
    if (!edited) return 0;
    std::memcpy(directives, edited->c_str(), edited->size() + 1);
    return 1;
}
