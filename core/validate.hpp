// Field text checks named by directive items:
//   @NUM            an optional leading '-', digits, at most one '.'
//                   (at least one digit; empty text passes)
//   @ALPHA          letters and spaces only
//   @LIMIT(n)       at most n characters
//   @EXCLUDE(chars) none of these characters
//   @INCLUDE(chars) only these characters
// The characters of the text and of the lists are those of the code page
// whose lead bytes are given: a double-byte character counts as one.
// "@UP" converts what is typed and checks nothing: a field whose value came
// in lower case from its variable stays valid.
// Keywords are found with find_keyword, so their case does not matter.
// Letters are the ASCII letters.  A @LIMIT whose argument is not a number,
// and @EXCLUDE/@INCLUDE without parentheses, check nothing.
#pragma once
#include <string_view>

#include "core/keyfilter.hpp"

namespace ts::core {

enum class TextRule { None, Num, Alpha, Limit, Exclude, Include };

// The first rule (in the order listed above) that `text` breaks, or
// TextRule::None when it satisfies them all.
TextRule broken_text_rule(std::string_view text, std::string_view directives, const LeadBytes& lead = {});

inline bool text_satisfies(std::string_view text, std::string_view directives, const LeadBytes& lead = {}) {
    return broken_text_rule(text, directives, lead) == TextRule::None;
}

} // namespace ts::core
