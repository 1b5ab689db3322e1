// Directive strings: a run of items such as "@NUM@LIMIT(5)@AUTOTAB" or
// "@DSL(name,12,RES,BOT)", each a keyword with an optional argument in
// parentheses whose parts are separated by commas.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts::core {

struct KeywordMatch {
    std::size_t pos = 0;         // where the keyword text starts
    std::string_view argument;   // text inside the parentheses (empty when none)
    bool hasArgument = false;    // a '(' follows the keyword directly
};

// The first place where `keyword` occurs in `text` as a whole word:
//  - the characters there equal the keyword, ignoring ASCII case;
//  - the character after it is not a letter or digit ("@NUM" does not match
//    in "@NUMBER", "@3D" not in "@3D4");
//  - a keyword written without a leading '@' ("DIRLST") must also not follow
//    a letter or digit, so it is found after an '@' ("@DIRLST(...)") or at
//    the start of the text, but not inside "XDIRLST".
// The argument is the text between the '(' right after the keyword and the
// next ')'; without a ')' it runs to the end of the text.  Parentheses do
// not nest.  An empty keyword never matches.
std::optional<KeywordMatch> find_keyword(std::string_view text, std::string_view keyword);

// Short-hand for find_keyword(...).has_value().
bool has_keyword(std::string_view text, std::string_view keyword);

// The comma-separated parts of an argument, blanks (spaces and tabs) around
// each part removed.  Empty parts are kept, so positions stay meaningful:
// "a,,b" gives {"a", "", "b"}.  An empty argument gives no parts.
using ArgumentList = std::vector<std::string_view>;
ArgumentList split_arguments(std::string_view argument);

// Reads a non-negative decimal number, blanks around it allowed; nullopt
// for anything else.  Values beyond `limit` are clamped to it (`limit` is a
// size far below SIZE_MAX).
std::optional<std::size_t> parse_count(std::string_view text, std::size_t limit);

// `text` with `keyword` appended when it is absent.  A keyword given
// without '@' is written with one, so it stays a separate item.  Returns
// nullopt when the result would be longer than `maxLength` characters or
// the keyword is empty; returns `text` unchanged when the keyword is there.
std::optional<std::string> with_keyword(std::string_view text, std::string_view keyword,
                                        std::size_t maxLength);

} // namespace ts::core
