#include "core/recordrc.hpp"

#include "core/text.hpp"
#include <vector>

namespace ts::core {
namespace {

// Characters that go into a quoted RCDATA string as they are.
bool plain(unsigned char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; }

class RcSink : public RecordSink {
public:
    void word(std::uint16_t w) override { item(hex_text(w, 4)); }
    void string(std::string_view s) override {
        for (unsigned char c : s) {
            if (!plain(c)) { // written as bytes, with its terminator and filler
                std::vector<std::uint8_t> b(s.begin(), s.end());
                b.push_back(0);
                b.push_back(0);
                bytes(b);
                return;
            }
        }
        item("\"" + std::string(s) + "\\0\\0\"");
    }
    void bytes(std::span<const std::uint8_t> b) override {
        std::size_t i = 0;
        for (; i + 1 < b.size(); i += 2) word(static_cast<std::uint16_t>(b[i] | (b[i + 1] << 8)));
        if (i < b.size()) {
            // octal: every resource compiler reads it
            const unsigned c = b[i];
            const char text[] = {'"', '\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                                 static_cast<char>('0' + (c & 7)), '"', '\0'};
            item(text);
        }
    }
    std::string lines() {
        if (!line_.empty()) text_ += "    " + line_ + "\n";
        line_.clear();
        return text_;
    }

private:
    void item(const std::string& s) {
        if (!line_.empty() && line_.size() + s.size() + 2 > 72) {
            text_ += "    " + line_ + ",\n";
            line_.clear();
        } else if (!line_.empty()) {
            line_ += ", ";
        }
        line_ += s;
    }
    std::string text_, line_;
};

} // namespace

std::string format_record_rc(const RecordModel& model, std::string_view name) {
    RcSink sink;
    write_record(model, sink);
    return std::string(name) + " RCDATA\nBEGIN\n" + sink.lines() + "END\n";
}

} // namespace ts::core
