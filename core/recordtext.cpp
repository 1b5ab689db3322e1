#include "core/recordtext.hpp"

#include <array>
#include <optional>

#include "core/text.hpp"

namespace ts::core {
namespace {

// ---- tokens of one line -------------------------------------------------

enum class TokenKind { Atom, String, Color };

struct Token {
    TokenKind kind;
    std::string text;        // an atom as written, or a string's bytes
    std::uint32_t color = 0; // COLORREF of a colour token
};

constexpr bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
constexpr int hex_value(char c) { return c <= '9' ? c - '0' : (ascii_lower(c) - 'a' + 10); }
constexpr bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ',' || c == ':'; }
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

class LineTokens {
public:
    // Splits a line; on a lexical error `error` says what is wrong.
    explicit LineTokens(std::string_view line) { split(line); }

    std::string error;
    std::vector<Token> tokens;

private:
    void split(std::string_view s) {
        std::size_t i = 0;
        while (i < s.size() && error.empty()) {
            char c = s[i];
            if (is_separator(c)) {
                ++i;
            } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
                return; // comment
            } else if (c == '#') {
                if (i + 7 <= s.size() && all_hex(s.substr(i + 1, 6)) &&
                    (i + 7 == s.size() || !is_word_char(s[i + 7]))) {
                    auto byte = [&](std::size_t at) {
                        return static_cast<unsigned>(hex_value(s[at]) * 16 + hex_value(s[at + 1]));
                    };
                    tokens.push_back({TokenKind::Color, std::string(s.substr(i, 7)),
                                      colorref(byte(i + 1), byte(i + 3), byte(i + 5))});
                    i += 7;
                } else {
                    return; // comment
                }
            } else if (c == '"') {
                i = quoted(s, i + 1);
            } else if (c == '(' || c == ')') {
                error = std::string("unexpected '") + c + "'";
            } else {
                std::size_t start = i;
                while (i < s.size() && !is_separator(s[i]) && s[i] != '"' && s[i] != '(' && s[i] != ')' && s[i] != '#')
                    ++i;
                std::string_view atom = s.substr(start, i - start);
                if (equals_nocase(atom, "rgb") && i < s.size() && s[i] == '(') {
                    i = rgb(s, i + 1);
                } else {
                    tokens.push_back({TokenKind::Atom, std::string(atom)});
                }
            }
        }
    }
    static bool all_hex(std::string_view s) {
        for (char c : s)
            if (!is_hex(c)) return false;
        return true;
    }
    static bool is_word_char(char c) {
        return is_hex(c) || (c >= 'g' && c <= 'z') || (c >= 'G' && c <= 'Z') || c == '_';
    }

    std::size_t quoted(std::string_view s, std::size_t i) {
        std::string out;
        while (i < s.size()) {
            char c = s[i++];
            if (c == '"') {
                tokens.push_back({TokenKind::String, std::move(out)});
                return i;
            }
            if (static_cast<unsigned char>(c) >= 0x80) {
                // The record holds bytes of the ANSI code page; the text's own
                // encoding cannot be told, so such bytes are written as escapes.
                error =
                    "write characters above 127 as \\xHH in the ANSI code page (\\xE9 for an e acute in "
                    "Windows-1252)";
                return s.size();
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i >= s.size()) break;
            char e = s[i++];
            switch (e) {
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            case 't': out.push_back('\t'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 'x':
                if (i + 2 <= s.size() && is_hex(s[i]) && is_hex(s[i + 1])) {
                    int v = hex_value(s[i]) * 16 + hex_value(s[i + 1]);
                    if (v == 0) {
                        error = "a string cannot hold \\x00: the record ends every string with it";
                        return s.size();
                    }
                    out.push_back(static_cast<char>(v));
                    i += 2;
                    break;
                }
                error = "\\x needs two hexadecimal digits";
                return s.size();
            default:
                error = std::string("unknown escape \\") + e + " (use \\\" \\\\ \\t \\n \\r or \\xHH)";
                return s.size();
            }
        }
        error = "the string has no closing quote";
        return s.size();
    }
    std::size_t rgb(std::string_view s, std::size_t i) {
        std::size_t close = s.find(')', i);
        if (close == std::string_view::npos) {
            error = "rgb( has no closing parenthesis";
            return s.size();
        }
        std::array<unsigned, 3> parts{};
        std::size_t n = 0, p = i;
        while (p < close && error.empty()) {
            while (p < close && (s[p] == ' ' || s[p] == '\t' || s[p] == ',')) ++p;
            if (p >= close) break;
            std::size_t start = p;
            while (p < close && s[p] != ' ' && s[p] != '\t' && s[p] != ',') ++p;
            auto v = parse_number(s.substr(start, p - start));
            if (!v || *v < 0 || *v > 255 || n >= 3) {
                error = "rgb(R, G, B) takes three numbers from 0 to 255";
                return s.size();
            }
            parts[n++] = static_cast<unsigned>(*v);
        }
        if (n != 3) {
            error = "rgb(R, G, B) takes three numbers from 0 to 255";
            return s.size();
        }
        tokens.push_back({TokenKind::Color, std::string(s.substr(i - 4, close + 1 - (i - 4))),
                          colorref(parts[0], parts[1], parts[2])});
        return close + 1;
    }
};

// ---- statements -----------------------------------------------------------

// The parts in record order, with the names the text uses for them.
struct PartName {
    RecordPart part;
    std::array<std::string_view, 3> words; // as written, "" past the end
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
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // the mark some editors begin with
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            ++line_;
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
        LineTokens lt(raw);
        if (!lt.error.empty()) return error(lt.error);
        Tokens t = std::move(lt.tokens);
        if (t.empty()) return;
        normalise(t, 0);
        if (t[0].kind != TokenKind::Atom)
            return error("a line starts with a keyword or an entry's number, not with '" + t[0].text + "'");

        if (word_is(t[0], "trailing")) return trailing(t);
        if (sawTrailing_) return error("nothing but more 'trailing' lines may follow 'trailing'");
        if (word_is(t[0], "version")) return version(t);
        if (word_is(t[0], "end")) return end_after(t);
        if (!haveVersion_) return error("the first statement must be 'version N'");
        if (ended_) return error("nothing but 'trailing' may follow 'end after'");
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
        error("unknown statement '" + t[0].text + "'");
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
        out_.model.viewString = t[n].text;
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
            m.fieldStrings.push_back({*key, t[1].text});
            break;
        case RecordPart::FieldFonts:
        case RecordPart::TextFieldFonts: {
            bool field = section_ == RecordPart::FieldFonts;
            if (t.size() < 3 || t[1].kind != TokenKind::String)
                return error(std::string("a font is: ") + (field ? "ID" : "NUMBER") +
                             " \"face\" SIZE [STYLE], for example: 103 \"Courier New\" 10 bold");
            auto size = u16_of(t[2], "the size");
            if (!size) return;
            RecordFont f{*key, *size, 0, t[1].text};
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

    void end_after(const Tokens& t) {
        if (!haveVersion_) return error("the first statement must be 'version N'");
        if (ended_) return error("a second 'end after' line");
        Tokens rest(t.begin() + 1, t.end());
        if (rest.empty() || !word_is(rest[0], "after"))
            return error("'end' is written 'end after PART', for example: end after field strings");
        rest.erase(rest.begin());
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

    void trailing(const Tokens& t) {
        for (std::size_t i = 1; i < t.size(); ++i) {
            const std::string& h = t[i].text;
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
                m.last = RecordPart::Nothing; // the record is its trailing bytes
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
            error(std::string(what) + " must be a number from 0 to 65535, not '" + t.text + "'");
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
                error("'" + t[i].text +
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
                      t[i].text + "'");
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
                error("'" + t[i].text + "' is not a colour: write #RRGGBB, rgb(R, G, B) or a COLORREF number");
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
    unsigned line_ = 0;
    unsigned versionLine_ = 1;
    bool haveVersion_ = false;
    bool seenStyle_ = false;
    bool seenColors_ = false;
    bool ended_ = false;
    bool sawTrailing_ = false;
    RecordPart progress_ = RecordPart::Nothing; // the last part given
    RecordPart section_ = RecordPart::Nothing;  // the section entries go to
};

// ---- writing the text -----------------------------------------------------

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\x";
            append_hex(out, c, 2);
        }
    }
    out.push_back('"');
    return out;
}

std::string color_text(std::uint32_t c) {
    if (c >> 24) return hex_text(c, 8);
    // #RRGGBB: red is the low byte of a colour reference
    std::string out = "#";
    append_hex(out, c & 0xFF, 2);
    append_hex(out, (c >> 8) & 0xFF, 2);
    append_hex(out, (c >> 16) & 0xFF, 2);
    return out;
}

std::string style_text(std::uint16_t style) {
    if (style == 0) return "regular";
    std::string out;
    static constexpr std::array<std::pair<const char*, std::uint16_t>, 4> kBits{
        {{"bold", 0x1}, {"italic", 0x2}, {"underline", 0x4}, {"strikeout", 0x8}}};
    for (auto [w, bit] : kBits) {
        if (style & bit) {
            if (!out.empty()) out += ' ';
            out += w;
        }
    }
    if (std::uint16_t rest = style & ~0xFu) {
        if (!out.empty()) out += ' ';
        out += hex_text(rest, 1);
    }
    return out;
}

std::string colours_text(const ViewColors& c) {
    return "text " + color_text(c.text) + " back " + color_text(c.back) + " selected text " + color_text(c.selText) +
           " selected back " + color_text(c.selBack);
}

} // namespace

ParsedRecordText parse_record_text(std::string_view text) {
    Parser p;
    return p.run(text);
}

std::string format_record_text(const RecordModel& m, const std::vector<RecordWarning>& warnings,
                               std::string_view title) {
    std::string out;
    if (!title.empty()) {
        out += "# ";
        out += title;
        out += '\n';
    }
    for (const RecordWarning& w : warnings) out += "# warning: " + w.message + "\n";

    const std::uint16_t v = m.version;
    auto has = [&m](RecordPart p) { return m.last >= p; };
    if (has(RecordPart::Head)) {
        out += "version " + std::to_string(v) + "\n";
        if (record_has_font_style(v)) out += "view font style " + style_text(m.fontStyle) + "\n";
        if (record_has_colors(v)) out += "view colours " + colours_text(m.colors) + "\n";
        if (has(RecordPart::ViewString) && record_has_part(v, RecordPart::ViewString) && m.viewString)
            out += "view string " + quoted(*m.viewString) + "\n";
    }
    // A section is written when it has entries ("end after" says where an
    // empty one ends the record).
    auto section = [&](RecordPart p, std::size_t count) {
        if (!has(p) || count == 0) return false;
        out += "\n";
        out += record_part_name(p);
        out += "\n";
        return true;
    };
    if (section(RecordPart::FieldStrings, m.fieldStrings.size()))
        for (const auto& e : m.fieldStrings) out += "    " + std::to_string(e.id) + " " + quoted(e.directives) + "\n";
    auto font = [&](const RecordFont& f, bool withStyle) {
        out += "    " + std::to_string(f.key) + " " + quoted(f.face) + " " + std::to_string(f.size);
        if (withStyle) out += " " + style_text(f.style);
        out += "\n";
    };
    if (section(RecordPart::FieldFonts, m.fieldFonts.size()))
        for (const auto& f : m.fieldFonts) font(f, record_sizes_in_points(v));
    if (section(RecordPart::TextFieldFonts, m.textFieldFonts.size()))
        for (const auto& f : m.textFieldFonts) font(f, true);
    if (section(RecordPart::FieldColors, m.fieldColors.size()))
        for (const auto& e : m.fieldColors) out += "    " + std::to_string(e.id) + " " + colours_text(e.colors) + "\n";
    if (section(RecordPart::TextFieldColors, m.textFieldColors.size()))
        for (const auto& e : m.textFieldColors)
            out += "    " + std::to_string(e.number) + " text " + color_text(e.text) + " back " + color_text(e.back) +
                   "\n";

    if (m.last >= RecordPart::Head && m.last < RecordPart::TextFieldColors) {
        out += "\nend after ";
        out += record_part_name(m.last);
        out += "\n";
    }
    if (m.last == RecordPart::TextFieldColors && !m.trailing.empty()) out += "\n";
    if (m.last == RecordPart::Nothing && m.trailing.empty()) out += "trailing\n"; // an empty record
    for (std::size_t i = 0; i < m.trailing.size(); i += 16) {
        out += "trailing";
        for (std::size_t k = i; k < m.trailing.size() && k < i + 16; ++k) {
            out += ' ';
            append_hex(out, m.trailing[k], 2);
        }
        out += "\n";
    }
    return out;
}

} // namespace ts::core
