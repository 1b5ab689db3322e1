// Field text checks named by directive items:
//   @NUM            an optional leading '-', digits, at most one '.'
//                   (at least one digit; empty text passes)
//   @ALPHA          letters and spaces only
//   @LIMIT(n)       at most n characters
//   @EXCLUDE(chars) none of these characters
//   @INCLUDE(chars) only these characters
// "@UP" converts what is typed and checks nothing: a field whose value came
// in lower case from its variable stays valid.
// Keywords are found with find_keyword, so their case does not matter.
// Letters are the ASCII letters.  A @LIMIT whose argument is not a number,
// and @EXCLUDE/@INCLUDE without parentheses, check nothing.
#pragma once
#include <string_view>

namespace ts::core {

enum class TextRule { None, Num, Alpha, Limit, Exclude, Include };

// The first rule (in the order listed above) that `text` breaks, or
// TextRule::None when it satisfies them all.
TextRule broken_text_rule(std::string_view text, std::string_view directives);

inline bool text_satisfies(std::string_view text, std::string_view directives) {
    return broken_text_rule(text, directives) == TextRule::None;
}

} // namespace ts::core
