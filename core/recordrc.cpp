#include "core/recordrc.hpp"

#include <algorithm>
#include <vector>

#include "core/text.hpp"

namespace ts::core {
namespace {

// Characters that go into a quoted RCDATA string as they are.
bool plain(char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; }

// Writes the items into the block as it goes: lines of at most 72 columns
// after their indent, items separated by ", ", a line ending in "," when
// more items follow.
class RcSink : public RecordSink {
public:
    explicit RcSink(std::string& out) : out_(out) {}

    void word(std::uint16_t w) override {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        const std::string_view before = separator(6);
        char text[16];  // the separator and "0xHHHH"
        std::size_t n = before.copy(text, before.size());
        for (const char c : {'0', 'x', kDigits[w >> 12], kDigits[(w >> 8) & 0xF], kDigits[(w >> 4) & 0xF], kDigits[w & 0xF]})
            text[n++] = c;
        out_.append(text, n);
    }
    void string(std::string_view s) override {
        if (!std::all_of(s.begin(), s.end(), plain)) {
            // written as bytes, with its terminator and filler
            scratch_.assign(s.begin(), s.end());
            scratch_.push_back(0);
            scratch_.push_back(0);
            bytes(scratch_);
            return;
        }
        out_ += separator(s.size() + 6);
        out_ += '"';
        out_ += s;
        out_ += "\\0\\0\"";
    }
    void bytes(std::span<const std::uint8_t> b) override {
        std::size_t i = 0;
        for (; i + 1 < b.size(); i += 2) word(static_cast<std::uint16_t>(b[i] | (b[i + 1] << 8)));
        if (i < b.size()) {
            // octal: every resource compiler reads it
            const unsigned c = b[i];
            const char text[] = {'"', '\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                                 static_cast<char>('0' + (c & 7)), '"'};
            item({text, sizeof text});
        }
    }
    void finish() {
        if (column_) out_ += '\n';
    }

private:
    // What goes before an item of `size` characters: the indent of a line,
    // ", ", or the end of the line when the item would pass 72 columns.
    std::string_view separator(std::size_t size) {
        if (column_ == 0) {
            column_ = size;
            return "    ";
        }
        if (column_ + size + 2 > 72) {
            column_ = size;
            return ",\n    ";
        }
        column_ += size + 2;
        return ", ";
    }
    void item(std::string_view text) {
        out_ += separator(text.size());
        out_ += text;
    }

    std::string& out_;
    std::size_t column_ = 0;  // characters of the current line after its indent
    std::vector<std::uint8_t> scratch_;
};

} // namespace

std::string format_record_rc(const RecordModel& model, std::string_view name) {
    std::string out;
    out.reserve(name.size() + 32 + record_size(model) * 4);  // a word "0xHHHH, " for every two bytes
    out += name;
    out += " RCDATA\nBEGIN\n";
    RcSink sink(out);
    write_record(model, sink);
    sink.finish();
    out += "END\n";
    return out;
}

} // namespace ts::core
