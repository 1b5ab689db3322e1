#include "core/recordtext.hpp"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/text.hpp"

namespace ts::core {
namespace {

// ---- tokens of one line -------------------------------------------------

enum class TokenKind : std::uint8_t { Atom, String, Color };

struct Token {
    TokenKind kind;
    std::uint32_t color;  // COLORREF of a colour token
    // an atom or colour as written (a view into the line), or a string's
    // bytes (a view into the lexer's string buffer)
    std::string_view text;
};

// What the lexer needs to know of a character, one table lookup each: the
// lexer looks at every character of a text, often several times.
enum CharClass : std::uint8_t {
    kHexDigit = 0x01,
    kSeparator = 0x02,  // between items: blanks, carriage return, ',' and ':'
    kEndsAtom = 0x04,   // a separator, a quote, a parenthesis or '#'
    kWordChar = 0x08,   // letters, digits and '_'
    kInString = 0x10,   // stands for itself inside quotes (ASCII but '"' and '\\')
    kWrittenAsIs = 0x20,  // written into quotes as it is (printable ASCII but '"' and '\\')
};
constexpr std::array<std::uint8_t, 256> kCharClasses = [] {
    std::array<std::uint8_t, 256> t{};
    for (unsigned c = 0; c < 0x80; ++c) t[c] |= kInString | (c >= 0x20 && c < 0x7F ? kWrittenAsIs : 0);
    for (unsigned c = '0'; c <= '9'; ++c) t[c] |= kHexDigit | kWordChar;
    for (unsigned c = 'a'; c <= 'z'; ++c) t[c] |= kWordChar | (c <= 'f' ? kHexDigit : 0);
    for (unsigned c = 'A'; c <= 'Z'; ++c) t[c] |= kWordChar | (c <= 'F' ? kHexDigit : 0);
    t['_'] |= kWordChar;
    for (unsigned char c : {' ', '\t', '\r', ',', ':'}) t[c] |= kSeparator | kEndsAtom;
    for (unsigned char c : {'"', '(', ')', '#'}) t[c] |= kEndsAtom;
    t['"'] &= ~(kInString | kWrittenAsIs);
    t['\\'] &= ~(kInString | kWrittenAsIs);
    return t;
}();
constexpr bool has_class(char c, CharClass k) { return (kCharClasses[static_cast<unsigned char>(c)] & k) != 0; }

constexpr bool is_hex(char c) { return has_class(c, kHexDigit); }
constexpr int hex_value(char c) { return c <= '9' ? c - '0' : ((c | 0x20) - 'a' + 10); }  // of a hexadecimal digit
constexpr bool is_separator(char c) { return has_class(c, kSeparator); }
constexpr std::uint32_t colorref(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// Parses a decimal or 0x number of at most 32 bits, optionally negative.
std::optional<long long> parse_number(std::string_view s) {
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long v = 0;
    if (s.size() > 2 && s[0] == '0' && ascii_lower(s[1]) == 'x') {
        s.remove_prefix(2);
        for (char c : s) {
            if (!is_hex(c) || v > 0xFFFFFFFFLL) return std::nullopt;
            v = v * 16 + hex_value(c);
        }
    } else {
        for (char c : s) {
            if (c < '0' || c > '9' || v > 0xFFFFFFFFLL) return std::nullopt;
            v = v * 10 + (c - '0');
        }
    }
    if (v > 0xFFFFFFFFLL) return std::nullopt;
    return negative ? -v : v;
}

// Splits lines into tokens.  One lexer serves every line of a text: the
// token list and the buffer of string bytes are reused, so a line costs no
// allocation once the longest line has been seen.
class Lexer {
public:
    Lexer() {
        tokens_.reserve(20);  // more than a statement of a record has
        strings_.reserve(128);
    }

    // The tokens of `line`; on a lexical error `error()` says what is wrong.
    std::vector<Token>& split(std::string_view line) {
        tokens_.clear();
        error_.clear();
        // Unescaping never lengthens a string, so the strings of the line fit
        // and the views into the buffer stay valid while the line is read.
        strings_.clear();
        strings_.reserve(line.size());
        run(line);
        return tokens_;
    }
    const std::string& error() const { return error_; }

private:
    // Every error ends the line: quoted() and rgb() then return its end.
    void run(std::string_view s) {
        std::size_t i = 0;
        while (i < s.size()) {
            const char c = s[i];
            if (!has_class(c, kEndsAtom)) {
                if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') return;  // comment
                const std::size_t start = i;
                while (i < s.size() && !has_class(s[i], kEndsAtom)) ++i;
                const std::string_view atom = s.substr(start, i - start);
                if (i < s.size() && s[i] == '(' && equals_nocase(atom, "rgb"))
                    i = rgb(s, i + 1);
                else
                    tokens_.push_back({TokenKind::Atom, 0, atom});
            } else if (is_separator(c)) {
                ++i;
            } else if (c == '"') {
                i = quoted(s, i + 1);
            } else if (c == '#') {
                if (!(i + 7 <= s.size() && all_hex(s.substr(i + 1, 6)) &&
                      (i + 7 == s.size() || !has_class(s[i + 7], kWordChar))))
                    return;  // comment
                auto byte = [&](std::size_t at) {
                    return static_cast<unsigned>(hex_value(s[at]) * 16 + hex_value(s[at + 1]));
                };
                tokens_.push_back({TokenKind::Color, colorref(byte(i + 1), byte(i + 3), byte(i + 5)), s.substr(i, 7)});
                i += 7;
            } else {  // a parenthesis
                error_ = std::string("unexpected '") + c + "'";
                return;
            }
        }
    }
    static bool all_hex(std::string_view s) {
        for (char c : s)
            if (!is_hex(c)) return false;
        return true;
    }

    std::size_t quoted(std::string_view s, std::size_t i) {
        const std::size_t begin = strings_.size();
        while (i < s.size()) {
            std::size_t run = i;
            while (run < s.size() && has_class(s[run], kInString)) ++run;
            strings_.append(s.data() + i, run - i);  // the characters as they are, at once
            i = run;
            if (i >= s.size()) break;
            char c = s[i++];
            if (c == '"') {
                tokens_.push_back({TokenKind::String, 0, std::string_view(strings_).substr(begin)});
                return i;
            }
            if (c != '\\') {
                // The record holds bytes of the ANSI code page; the text's own
                // encoding cannot be told, so such bytes are written as escapes.
                error_ =
                    "write characters above 127 as \\xHH in the ANSI code page (\\xE9 for an e acute in "
                    "Windows-1252)";
                return s.size();
            }
            if (i >= s.size()) break;
            char e = s[i++];
            switch (e) {
            case '"': strings_.push_back('"'); break;
            case '\\': strings_.push_back('\\'); break;
            case 't': strings_.push_back('\t'); break;
            case 'n': strings_.push_back('\n'); break;
            case 'r': strings_.push_back('\r'); break;
            case 'x':
                if (i + 2 <= s.size() && is_hex(s[i]) && is_hex(s[i + 1])) {
                    int v = hex_value(s[i]) * 16 + hex_value(s[i + 1]);
                    if (v == 0) {
                        error_ = "a string cannot hold \\x00: the record ends every string with it";
                        return s.size();
                    }
                    strings_.push_back(static_cast<char>(v));
                    i += 2;
                    break;
                }
                error_ = "\\x needs two hexadecimal digits";
                return s.size();
            default:
                error_ = std::string("unknown escape \\") + e + " (use \\\" \\\\ \\t \\n \\r or \\xHH)";
                return s.size();
            }
        }
        error_ = "the string has no closing quote";
        return s.size();
    }
    std::size_t rgb(std::string_view s, std::size_t i) {
        std::size_t close = s.find(')', i);
        if (close == std::string_view::npos) {
            error_ = "rgb( has no closing parenthesis";
            return s.size();
        }
        std::array<unsigned, 3> parts{};
        std::size_t n = 0, p = i;
        while (p < close && error_.empty()) {
            while (p < close && (s[p] == ' ' || s[p] == '\t' || s[p] == ',')) ++p;
            if (p >= close) break;
            std::size_t start = p;
            while (p < close && s[p] != ' ' && s[p] != '\t' && s[p] != ',') ++p;
            auto v = parse_number(s.substr(start, p - start));
            if (!v || *v < 0 || *v > 255 || n >= 3) {
                error_ = "rgb(R, G, B) takes three numbers from 0 to 255";
                return s.size();
            }
            parts[n++] = static_cast<unsigned>(*v);
        }
        if (n != 3) {
            error_ = "rgb(R, G, B) takes three numbers from 0 to 255";
            return s.size();
        }
        tokens_.push_back({TokenKind::Color, colorref(parts[0], parts[1], parts[2]), s.substr(i - 4, close + 1 - (i - 4))});
        return close + 1;
    }

    std::vector<Token> tokens_;
    std::string strings_;
    std::string error_;
};

// ---- statements -----------------------------------------------------------

// The parts in record order, with the names the text uses for them.
struct PartName {
    RecordPart part;
    std::array<std::string_view, 3> words;  // as written, "" past the end
};
constexpr std::array<PartName, 7> kPartNames{{
    {RecordPart::Head, {"head", "", ""}},
    {RecordPart::ViewString, {"view", "string", ""}},
    {RecordPart::FieldStrings, {"field", "strings", ""}},
    {RecordPart::FieldFonts, {"field", "fonts", ""}},
    {RecordPart::TextFieldFonts, {"text-field", "fonts", ""}},
    {RecordPart::FieldColors, {"field", "colours", ""}},
    {RecordPart::TextFieldColors, {"text-field", "colours", ""}},
}};

bool word_is(const Token& t, std::string_view w) {
    if (t.kind != TokenKind::Atom) return false;
    if (equals_nocase(t.text, w)) return true;
    // "colors" reads as "colours"
    return w == "colours" && equals_nocase(t.text, "colors");
}

class Parser {
public:
    ParsedRecordText run(std::string_view text) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // the mark some editors begin with
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            ++line_;
            rest_ = text.size() - start;
            statement(text.substr(start, end - start));
            start = end + 1;
        }
        finish();
        return std::move(out_);
    }

private:
    using Tokens = std::vector<Token>;

    void error(std::string message) { out_.errors.push_back({line_, std::move(message)}); }
    void error_at(unsigned line, std::string message) { out_.errors.push_back({line, std::move(message)}); }

    // Matches the words of `name` at the start of `t`; returns how many tokens they took.
    static std::size_t match(const Tokens& t, const std::array<std::string_view, 3>& words) {
        std::size_t n = 0;
        for (std::string_view w : words) {
            if (w.empty()) break;
            if (n >= t.size() || !word_is(t[n], w)) return 0;
            ++n;
        }
        return n;
    }
    // "text field fonts" is read like "text-field fonts" (from token `at` on).
    static void normalise(Tokens& t, std::size_t at) {
        if (t.size() >= at + 3 && word_is(t[at], "text") && word_is(t[at + 1], "field") &&
            (word_is(t[at + 2], "fonts") || word_is(t[at + 2], "colours"))) {
            t[at + 1].text = "text-field";
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }

    void statement(std::string_view raw) {
        if (plain_trailing(raw)) return;
        Tokens& t = lexer_.split(raw);
        if (!lexer_.error().empty()) return error(lexer_.error());
        if (t.empty()) return;
        normalise(t, 0);
        if (t[0].kind != TokenKind::Atom)
            return error("a line starts with a keyword or an entry's number, not with '" + std::string(t[0].text) + "'");

        if (word_is(t[0], "trailing")) return trailing(t);
        if (sawTrailing_) return error("nothing but more 'trailing' lines may follow 'trailing'");
        if (word_is(t[0], "version")) return version(t);
        if (word_is(t[0], "end")) return end_after(t);
        if (!haveVersion_) return error("the first statement must be 'version N'");
        if (ended_) return error("nothing but 'trailing' may follow 'end after'");
        // an entry's number: no keyword starts with a digit
        if (is_digit(t[0].text[0]) && parse_number(t[0].text)) return entry(t);
        if (std::size_t n = match(t, {"view", "font", "style"})) return view_font_style(t, n);
        if (std::size_t n = match(t, {"view", "colours", ""})) return view_colours(t, n);
        if (std::size_t n = match(t, {"view", "string", ""})) return view_string(t, n);
        for (const PartName& p : kPartNames) {
            if (p.part < RecordPart::FieldStrings) continue;
            if (std::size_t n = match(t, p.words)) {
                if (n != t.size()) return error("a section line holds only its name; entries go on the lines after it");
                return begin_section(p.part);
            }
        }
        if (parse_number(t[0].text)) return entry(t);
        error("unknown statement '" + std::string(t[0].text) + "'");
    }

    // -- head

    void version(const Tokens& t) {
        if (haveVersion_) return error("a second 'version' line");
        if (progress_ != RecordPart::Nothing) return error("'version' must come before everything else");
        if (t.size() != 2) return error("'version' takes one number, for example: version 42");
        auto v = u16_of(t[1], "the version");
        if (!v) return;
        haveVersion_ = true;
        versionLine_ = line_;
        out_.model.version = *v;
        progress_ = RecordPart::Head;
    }

    bool head_item(const char* what, bool& seen) {
        if (seen) {
            error(std::string("a second '") + what + "' line");
            return false;
        }
        if (progress_ > RecordPart::Head) {
            error(std::string("'") + what + "' belongs to the head, before the view string and the sections");
            return false;
        }
        seen = true;
        return true;
    }

    void view_font_style(const Tokens& t, std::size_t n) {
        if (!head_item("view font style", seenStyle_)) return;
        if (!record_has_font_style(version_())) {
            return error("version " + std::to_string(version_()) +
                         " has no view font style (versions 32 and later have one)");
        }
        auto s = style_of(t, n);
        if (s) out_.model.fontStyle = *s;
    }

    void view_colours(const Tokens& t, std::size_t n) {
        if (!head_item("view colours", seenColors_)) return;
        if (!record_has_colors(version_())) {
            return error("version " + std::to_string(version_()) +
                         " has no view colours (only versions 33, 41 and 43 carry them)");
        }
        colours_of(t, n, true, out_.model.colors);
    }

    void view_string(const Tokens& t, std::size_t n) {
        if (!record_has_part(version_(), RecordPart::ViewString))
            return error("version " + std::to_string(version_()) +
                         " has no view string (versions 3 and later have one)");
        if (progress_ >= RecordPart::ViewString) return error("a second 'view string' line, or one after the sections");
        if (t.size() != n + 1 || t[n].kind != TokenKind::String)
            return error("'view string' takes one string in quotes, for example: view string \"@3D3\"");
        out_.model.viewString = std::string(t[n].text);
        progress_ = RecordPart::ViewString;
    }

    // -- sections

    void begin_section(RecordPart part) {
        if (part <= progress_) {
            return error(std::string("'") + record_part_name(part) +
                         "' comes too late: the sections go in the order field strings, field fonts, "
                         "text-field fonts, field colours, text-field colours, each once");
        }
        progress_ = part;
        section_ = part;
    }

    void entry(const Tokens& t) {
        if (section_ == RecordPart::Nothing || section_ != progress_)
            return error("an entry outside a section: name the section on a line of its own first");
        auto key = u16_of(t[0], section_ == RecordPart::TextFieldFonts || section_ == RecordPart::TextFieldColors
                                    ? "a text-field number"
                                    : "a control ID");
        if (!key) return;
        RecordModel& m = out_.model;
        if (count_of(section_) >= 0xFFFF) return error("a section holds at most 65535 entries");
        switch (section_) {
        case RecordPart::FieldStrings:
            if (t.size() != 2 || t[1].kind != TokenKind::String)
                return error("a field string is: ID \"directives\", for example: 101 \"@NUM@LIMIT(5)\"");
            m.fieldStrings.push_back({*key, std::string(t[1].text)});
            break;
        case RecordPart::FieldFonts:
        case RecordPart::TextFieldFonts: {
            bool field = section_ == RecordPart::FieldFonts;
            if (t.size() < 3 || t[1].kind != TokenKind::String)
                return error(std::string("a font is: ") + (field ? "ID" : "NUMBER") +
                             " \"face\" SIZE [STYLE], for example: 103 \"Courier New\" 10 bold");
            auto size = u16_of(t[2], "the size");
            if (!size) return;
            RecordFont f{*key, *size, 0, std::string(t[1].text)};
            if (t.size() > 3) {
                if (field && !record_sizes_in_points(version_()))
                    return error("a field font of version " + std::to_string(version_()) +
                                 " has no style (versions 5 and later have one)");
                auto s = style_of(t, 3);
                if (!s) return;
                f.style = *s;
            }
            (field ? m.fieldFonts : m.textFieldFonts).push_back(std::move(f));
            break;
        }
        case RecordPart::FieldColors: {
            RecordFieldColors e{*key, {}};
            if (colours_of(t, 1, true, e.colors)) m.fieldColors.push_back(e);
            break;
        }
        case RecordPart::TextFieldColors: {
            ViewColors c{};
            if (colours_of(t, 1, false, c)) m.textFieldColors.push_back({*key, c.text, c.back});
            break;
        }
        default: break;
        }
    }

    std::size_t count_of(RecordPart part) const {
        const RecordModel& m = out_.model;
        switch (part) {
        case RecordPart::FieldStrings: return m.fieldStrings.size();
        case RecordPart::FieldFonts: return m.fieldFonts.size();
        case RecordPart::TextFieldFonts: return m.textFieldFonts.size();
        case RecordPart::FieldColors: return m.fieldColors.size();
        case RecordPart::TextFieldColors: return m.textFieldColors.size();
        default: return 0;
        }
    }

    // -- the end and the bytes after it

    // Takes the line's tokens apart: what follows "end after" is left in `t`.
    void end_after(Tokens& t) {
        if (!haveVersion_) return error("the first statement must be 'version N'");
        if (ended_) return error("a second 'end after' line");
        if (t.size() < 2 || !word_is(t[1], "after"))
            return error("'end' is written 'end after PART', for example: end after field strings");
        t.erase(t.begin(), t.begin() + 2);
        Tokens& rest = t;
        normalise(rest, 0);
        for (const PartName& p : kPartNames) {
            std::size_t n = match(rest, p.words);
            if (n == 0 || n != rest.size()) continue;
            if (!record_has_part(version_(), p.part))
                return error("version " + std::to_string(version_()) + " has no view string to end after");
            if (p.part < progress_)
                return error(std::string("the record cannot end after the ") + record_part_name(p.part) + ": the " +
                             record_part_name(progress_) + " come later");
            ended_ = true;
            out_.model.last = p.part;
            return;
        }
        error(
            "'end after' names head, view string, field strings, field fonts, text-field fonts, field colours "
            "or text-field colours");
    }

    // A line of trailing bytes as they are written, "trailing 0A FF ...", read
    // straight from the text: long records end in runs of such lines.  False
    // leaves the line to the tokens (comments, other separators, mistakes).
    bool plain_trailing(std::string_view raw) {
        constexpr std::string_view kWord = "trailing";
        if (!starts_with_nocase(raw, kWord)) return false;
        std::vector<std::uint8_t>& bytes = out_.model.trailing;
        if (!sawTrailing_) bytes.reserve(rest_ / 3);
        const std::size_t before = bytes.size();
        bytes.resize(before + (raw.size() - kWord.size()) / 3);  // room for every byte the line can hold
        std::uint8_t* out = bytes.data() + before;
        std::size_t i = kWord.size();
        for (; i + 3 <= raw.size() && is_separator(raw[i]) && is_hex(raw[i + 1]) && is_hex(raw[i + 2]); i += 3)
            *out++ = static_cast<std::uint8_t>(hex_value(raw[i + 1]) * 16 + hex_value(raw[i + 2]));
        while (i < raw.size() && is_separator(raw[i])) ++i;
        bytes.resize(i == raw.size() ? static_cast<std::size_t>(out - bytes.data()) : before);
        if (i != raw.size()) return false;
        sawTrailing_ = true;
        return true;
    }

    void trailing(const Tokens& t) {
        // the rest of the text holds three characters at least for every byte
        if (!sawTrailing_) out_.model.trailing.reserve(rest_ / 3);
        for (std::size_t i = 1; i < t.size(); ++i) {
            const std::string_view h = t[i].text;
            if (t[i].kind != TokenKind::Atom || h.size() != 2 || !is_hex(h[0]) || !is_hex(h[1]))
                return error("'trailing' takes bytes as two hexadecimal digits each, for example: trailing 01 00 FF");
            out_.model.trailing.push_back(static_cast<std::uint8_t>(hex_value(h[0]) * 16 + hex_value(h[1])));
        }
        sawTrailing_ = true;
    }

    void finish() {
        RecordModel& m = out_.model;
        if (!haveVersion_) {
            if (sawTrailing_) {
                m.last = RecordPart::Nothing;  // the record is its trailing bytes
                return;
            }
            if (out_.errors.empty()) error_at(1, "the text gives no 'version' line");
            return;
        }
        if (record_has_colors(m.version) && !seenColors_ && m.last >= RecordPart::Head)
            error_at(versionLine_, "version " + std::to_string(m.version) +
                                       " carries view colours: give them on a 'view colours' line");
    }

    // -- values

    std::uint16_t version_() const { return out_.model.version; }

    std::optional<std::uint16_t> u16_of(const Token& t, const char* what) {
        auto v = t.kind == TokenKind::Atom ? parse_number(t.text) : std::nullopt;
        if (!v || *v < -32768 || *v > 0xFFFF) {
            error(std::string(what) + " must be a number from 0 to 65535, not '" + std::string(t.text) + "'");
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(*v & 0xFFFF);
    }

    // The style words from token `i` on.
    std::optional<std::uint16_t> style_of(const Tokens& t, std::size_t i) {
        static constexpr std::array<std::pair<std::string_view, std::uint16_t>, 6> kWords{
            {{"bold", 0x1}, {"italic", 0x2}, {"underline", 0x4}, {"strikeout", 0x8}, {"regular", 0}, {"normal", 0}}};
        std::uint16_t style = 0;
        if (i >= t.size()) {
            error("a style names bold, italic, underline, strikeout or regular");
            return std::nullopt;
        }
        for (; i < t.size(); ++i) {
            bool known = false;
            for (auto [w, bit] : kWords) {
                if (word_is(t[i], w)) {
                    style |= bit;
                    known = true;
                }
            }
            if (known) continue;
            auto v = t[i].kind == TokenKind::Atom ? parse_number(t[i].text) : std::nullopt;
            if (!v || *v < 0 || *v > 0xFFFF) {
                error("'" + std::string(t[i].text) +
                      "' is not a style: use bold, italic, underline, strikeout, regular or a number");
                return std::nullopt;
            }
            style |= static_cast<std::uint16_t>(*v);
        }
        return style;
    }

    // Labelled colours from token `i` on: text and back, and with `selected`
    // also selected text and selected back.  All of them must be given.
    bool colours_of(const Tokens& t, std::size_t i, bool selected, ViewColors& out) {
        std::array<bool, 4> seen{};
        std::array<std::uint32_t*, 4> slot{&out.text, &out.back, &out.selText, &out.selBack};
        const char* names[4] = {"text", "back", "selected text", "selected back"};
        while (i < t.size()) {
            int which = -1;
            bool sel = word_is(t[i], "selected");
            std::size_t at = sel ? i + 1 : i;
            if (at < t.size()) {
                if (word_is(t[at], "text"))
                    which = sel ? 2 : 0;
                else if (word_is(t[at], "back") || word_is(t[at], "background"))
                    which = sel ? 3 : 1;
            }
            if (which < 0 || (which >= 2 && !selected)) {
                error(std::string("expected a colour label (") +
                      (selected ? "text, back, selected text or selected back" : "text or back") + "), not '" +
                      std::string(t[i].text) + "'");
                return false;
            }
            if (seen[static_cast<std::size_t>(which)]) {
                error(std::string("the ") + names[which] + " colour is given twice");
                return false;
            }
            i = at + 1;
            if (i >= t.size()) {
                error(std::string("the ") + names[which] +
                      " colour is missing after its label (a colour is #RRGGBB; '#' followed by anything else "
                      "starts a comment)");
                return false;
            }
            std::optional<std::uint32_t> c;
            if (t[i].kind == TokenKind::Color) {
                c = t[i].color;
            } else if (t[i].kind == TokenKind::Atom) {
                auto v = parse_number(t[i].text);
                if (v && *v >= 0) c = static_cast<std::uint32_t>(*v);
            }
            if (!c) {
                error("'" + std::string(t[i].text) + "' is not a colour: write #RRGGBB, rgb(R, G, B) or a COLORREF number");
                return false;
            }
            *slot[static_cast<std::size_t>(which)] = *c;
            seen[static_cast<std::size_t>(which)] = true;
            ++i;
        }
        for (int k = 0; k < (selected ? 4 : 2); ++k) {
            if (!seen[static_cast<std::size_t>(k)]) {
                error(std::string("the ") + names[k] + " colour is missing");
                return false;
            }
        }
        return true;
    }

    ParsedRecordText out_;
    Lexer lexer_;
    unsigned line_ = 0;
    std::size_t rest_ = 0;  // characters from the start of the current line on
    unsigned versionLine_ = 1;
    bool haveVersion_ = false;
    bool seenStyle_ = false;
    bool seenColors_ = false;
    bool ended_ = false;
    bool sawTrailing_ = false;
    RecordPart progress_ = RecordPart::Nothing;  // the last part given
    RecordPart section_ = RecordPart::Nothing;  // the section entries go to
};

// ---- writing the text -----------------------------------------------------
// Everything is appended to the one output string: no temporaries per item.

void append_quoted(std::string& out, std::string_view s) {
    out.push_back('"');
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t run = i;
        while (run < s.size() && has_class(s[run], kWrittenAsIs)) ++run;
        out.append(s.data() + i, run - i);  // the printable characters at once
        if (run >= s.size()) break;
        const auto c = static_cast<unsigned char>(s[run]);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\x";
            append_hex(out, c, 2);
        }
        i = run + 1;
    }
    out.push_back('"');
}

void append_color(std::string& out, std::uint32_t c) {
    if (c >> 24) {
        out += "0x";
        append_hex(out, c, 8);
        return;
    }
    // #RRGGBB: red is the low byte of a colour reference
    out.push_back('#');
    append_hex(out, c & 0xFF, 2);
    append_hex(out, (c >> 8) & 0xFF, 2);
    append_hex(out, (c >> 16) & 0xFF, 2);
}

void append_style(std::string& out, std::uint16_t style) {
    if (style == 0) {
        out += "regular";
        return;
    }
    static constexpr std::array<std::pair<std::string_view, std::uint16_t>, 4> kBits{
        {{"bold", 0x1}, {"italic", 0x2}, {"underline", 0x4}, {"strikeout", 0x8}}};
    bool first = true;
    for (auto [w, bit] : kBits) {
        if (style & bit) {
            if (!first) out.push_back(' ');
            out += w;
            first = false;
        }
    }
    if (std::uint16_t rest = style & ~0xFu) {
        if (!first) out.push_back(' ');
        out += "0x";
        append_hex(out, rest, 1);
    }
}

void append_colours(std::string& out, const ViewColors& c) {
    out += "text ";
    append_color(out, c.text);
    out += " back ";
    append_color(out, c.back);
    out += " selected text ";
    append_color(out, c.selText);
    out += " selected back ";
    append_color(out, c.selBack);
}

// "trailing HH HH ...", sixteen bytes a line.
void append_trailing(std::string& out, std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        char line[8 + 16 * 3 + 1] = "trailing";
        std::size_t n = 8;
        for (std::size_t k = i; k < bytes.size() && k < i + 16; ++k) {
            line[n++] = ' ';
            line[n++] = kDigits[bytes[k] >> 4];
            line[n++] = kDigits[bytes[k] & 0xF];
        }
        line[n++] = '\n';
        out.append(line, n);
    }
}

} // namespace

ParsedRecordText parse_record_text(std::string_view text) {
    Parser p;
    return p.run(text);
}

std::string format_record_text(const RecordModel& m, const std::vector<RecordWarning>& warnings,
                               std::string_view title) {
    std::string out;
    out.reserve(256 + m.trailing.size() * 3);
    if (!title.empty()) {
        out += "# ";
        out += title;
        out += '\n';
    }
    for (const RecordWarning& w : warnings) {
        out += "# warning: ";
        out += w.message;
        out += '\n';
    }

    const std::uint16_t v = m.version;
    auto has = [&m](RecordPart p) { return m.last >= p; };
    if (has(RecordPart::Head)) {
        out += "version ";
        append_decimal(out, v);
        out += '\n';
        if (record_has_font_style(v)) {
            out += "view font style ";
            append_style(out, m.fontStyle);
            out += '\n';
        }
        if (record_has_colors(v)) {
            out += "view colours ";
            append_colours(out, m.colors);
            out += '\n';
        }
        if (has(RecordPart::ViewString) && record_has_part(v, RecordPart::ViewString) && m.viewString) {
            out += "view string ";
            append_quoted(out, *m.viewString);
            out += '\n';
        }
    }
    // A section is written when it has entries ("end after" says where an
    // empty one ends the record).  Each entry starts with its key.
    auto section = [&](RecordPart p, std::size_t count) {
        if (!has(p) || count == 0) return false;
        out += '\n';
        out += record_part_name(p);
        out += '\n';
        return true;
    };
    auto key = [&out](std::uint16_t k) {
        out += "    ";
        append_decimal(out, k);
        out += ' ';
    };
    if (section(RecordPart::FieldStrings, m.fieldStrings.size())) {
        for (const auto& e : m.fieldStrings) {
            key(e.id);
            append_quoted(out, e.directives);
            out += '\n';
        }
    }
    auto font = [&](const RecordFont& f, bool withStyle) {
        key(f.key);
        append_quoted(out, f.face);
        out += ' ';
        append_decimal(out, f.size);
        if (withStyle) {
            out += ' ';
            append_style(out, f.style);
        }
        out += '\n';
    };
    if (section(RecordPart::FieldFonts, m.fieldFonts.size()))
        for (const auto& f : m.fieldFonts) font(f, record_sizes_in_points(v));
    if (section(RecordPart::TextFieldFonts, m.textFieldFonts.size()))
        for (const auto& f : m.textFieldFonts) font(f, true);
    if (section(RecordPart::FieldColors, m.fieldColors.size())) {
        for (const auto& e : m.fieldColors) {
            key(e.id);
            append_colours(out, e.colors);
            out += '\n';
        }
    }
    if (section(RecordPart::TextFieldColors, m.textFieldColors.size())) {
        for (const auto& e : m.textFieldColors) {
            key(e.number);
            out += "text ";
            append_color(out, e.text);
            out += " back ";
            append_color(out, e.back);
            out += '\n';
        }
    }

    if (m.last >= RecordPart::Head && m.last < RecordPart::TextFieldColors) {
        out += "\nend after ";
        out += record_part_name(m.last);
        out += '\n';
    }
    if (m.last == RecordPart::TextFieldColors && !m.trailing.empty()) out += '\n';
    if (m.last == RecordPart::Nothing && m.trailing.empty()) out += "trailing\n";  // an empty record
    append_trailing(out, m.trailing);
    return out;
}

} // namespace ts::core
