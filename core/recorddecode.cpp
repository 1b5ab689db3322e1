#include "core/recorddecode.hpp"

#include <algorithm>
#include <cstring>

#include "core/text.hpp"

namespace ts::core {
namespace {

std::string hex_offset(std::size_t offset) { return hex_text(static_cast<std::uint32_t>(offset), 4); }

// A cursor over the record that stops at the first byte a writer would not
// have produced, and says why.
class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t position() const { return pos_; }
    bool at_end() const { return pos_ >= data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool failed() const { return failed_; }
    const RecordWarning& problem() const { return problem_; }
    // What the current part is called in messages ("a string of the field fonts").
    void set_part(RecordPart part) { part_ = part; }

    bool word(std::uint16_t& w) {
        if (failed_) return false;
        if (data_.size() - pos_ < 2)
            return fail(data_.size(), std::string("the record ends inside the ") + record_part_name(part_));
        w = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool color(std::uint32_t& c) {
        std::uint16_t hi = 0, lo = 0;
        if (!word(hi) || !word(lo)) return false;
        c = (static_cast<std::uint32_t>(hi) << 16) | lo;
        return true;
    }
    bool colors(ViewColors& c) { return color(c.text) && color(c.back) && color(c.selText) && color(c.selBack); }
    // A word that a writer leaves 0.
    bool zero_word(const char* what) {
        std::size_t at = pos_;
        std::uint16_t w = 0;
        if (!word(w)) return false;
        if (w != 0) return fail(at, std::string(what) + " is " + hex_word(w) + ", not 0");
        return true;
    }
    bool string(std::string& s) {
        if (failed_) return false;
        const void* zero = pos_ < data_.size() ? std::memchr(data_.data() + pos_, 0, data_.size() - pos_) : nullptr;
        const std::size_t end = zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data_.data())
                                     : data_.size();
        if (end >= data_.size())
            return fail(data_.size(), std::string("the record ends inside a string of the ") + record_part_name(part_));
        if (end + 1 >= data_.size())
            return fail(data_.size(), std::string("the record ends without the filler byte after a string of the ") +
                                          record_part_name(part_));
        if (data_[end + 1] != 0)
            return fail(end + 1, std::string("the filler byte after a string of the ") + record_part_name(part_) +
                                     " is " + hex_byte(data_[end + 1]) + ", not 0");
        s.assign(reinterpret_cast<const char*>(data_.data() + pos_), end - pos_);
        pos_ = end + 2;
        return true;
    }
    bool fail(std::size_t at, std::string message) {
        failed_ = true;
        problem_ = {at, std::move(message)};
        return false;
    }

    static std::string hex_word(std::uint16_t w) { return hex_text(w, 4); }
    static std::string hex_byte(std::uint8_t b) { return hex_text(b, 2); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    RecordWarning problem_{0, {}};
    RecordPart part_ = RecordPart::Head;
};

// Reads `count` entries with `read`, appending them to `out` only when the
// whole section reads.
template <typename Entry, typename Read>
bool read_section(Decoder& d, std::vector<Entry>& out, Read read) {
    std::uint16_t count = 0;
    if (!d.word(count)) return false;
    std::vector<Entry> entries;
    entries.reserve(std::min<std::size_t>(count, d.remaining() / 2));  // an entry takes a word at least
    for (std::uint16_t i = 0; i < count; ++i) {
        Entry e;
        if (!read(e)) return false;
        entries.push_back(std::move(e));
    }
    out = std::move(entries);
    return true;
}

} // namespace

const char* record_part_name(RecordPart part) {
    switch (part) {
    case RecordPart::Nothing: return "nothing";
    case RecordPart::Head: return "head";
    case RecordPart::ViewString: return "view string";
    case RecordPart::FieldStrings: return "field strings";
    case RecordPart::FieldFonts: return "field fonts";
    case RecordPart::TextFieldFonts: return "text-field fonts";
    case RecordPart::FieldColors: return "field colours";
    case RecordPart::TextFieldColors: return "text-field colours";
    }
    return "?";
}

DecodedRecord decode_record(std::span<const std::uint8_t> data) {
    DecodedRecord out;
    RecordModel& m = out.model;
    m = RecordModel{};
    Decoder d(data);

    // Keeps the bytes from `start` on as they are, the record ending after `before`.
    auto stop = [&](RecordPart before, std::size_t start) {
        m.last = before;
        m.trailing.assign(data.begin() + static_cast<std::ptrdiff_t>(start), data.end());
        const RecordWarning& problem = d.problem();
        std::string message = "offset 0x";
        message.reserve(96 + problem.message.size());
        append_hex(message, static_cast<std::uint32_t>(problem.offset), 4);
        message += ": ";
        message += problem.message;
        message += "; the bytes from offset 0x";
        append_hex(message, static_cast<std::uint32_t>(start), 4);
        message += " on are kept as they are";
        out.warnings.push_back({problem.offset, std::move(message)});
    };

    d.set_part(RecordPart::Head);
    if (data.empty()) {
        m.last = RecordPart::Nothing;
        out.warnings.push_back({0, "offset 0x0000: the record is empty"});
        return out;
    }
    if (!d.word(m.version)) {
        stop(RecordPart::Nothing, 0);
        return out;
    }
    const std::uint16_t v = m.version;
    if ((record_has_font_style(v) && !d.word(m.fontStyle)) || (record_has_colors(v) && !d.colors(m.colors))) {
        stop(RecordPart::Nothing, 0);
        return out;
    }

    // Every part starts where the one before it ended; ending there is allowed.
    RecordPart done = RecordPart::Head;
    auto ends_here = [&](RecordPart next) {
        if (!d.at_end()) return false;
        m.last = done;
        if (next == RecordPart::FieldStrings)
            out.warnings.push_back({d.position(), "offset " + hex_offset(d.position()) +
                                                      ": the record ends before the field strings, whose count "
                                                      "readers expect"});
        return true;
    };

    // Reads part `p` with `read`; false when the record ends before it or
    // stops inside it.
    auto part = [&](RecordPart p, auto&& read) {
        if (ends_here(p)) return false;
        std::size_t start = d.position();
        d.set_part(p);
        if (!read()) {
            stop(done, start);
            return false;
        }
        done = p;
        return true;
    };
    if (record_has_part(v, RecordPart::ViewString) && !part(RecordPart::ViewString, [&] {
            const std::size_t start = d.position();
            std::uint16_t flag = 0;
            if (!d.word(flag)) return false;
            if (flag > 1) return d.fail(start, "the view-string flag is " + Decoder::hex_word(flag) + ", not 0 or 1");
            if (flag == 0) return true;
            std::string s;
            if (!d.string(s)) return false;
            m.viewString = std::move(s);
            return true;
        }))
        return out;

    const bool points = record_sizes_in_points(v);
    bool ok = part(RecordPart::FieldStrings, [&] {
        return read_section(d, m.fieldStrings,
                            [&](RecordFieldString& e) { return d.word(e.id) && d.string(e.directives); });
    });
    ok = ok && part(RecordPart::FieldFonts, [&] {
             return read_section(d, m.fieldFonts, [&](RecordFont& e) {
                 return d.word(e.key) && d.word(e.size) && (!points || d.word(e.style)) && d.string(e.face);
             });
         });
    ok = ok && part(RecordPart::TextFieldFonts, [&] {
             return read_section(d, m.textFieldFonts, [&](RecordFont& e) {
                 return d.word(e.key) && d.word(e.size) &&
                        (!points || d.zero_word("the skipped word of a text-field font")) && d.word(e.style) &&
                        d.string(e.face);
             });
         });
    ok = ok && part(RecordPart::FieldColors, [&] {
             return read_section(d, m.fieldColors,
                                 [&](RecordFieldColors& e) { return d.word(e.id) && d.colors(e.colors); });
         });
    ok = ok && part(RecordPart::TextFieldColors, [&] {
             return read_section(d, m.textFieldColors, [&](RecordTextColors& e) {
                 return d.word(e.number) && d.color(e.text) && d.color(e.back);
             });
         });
    if (ok && !d.at_end()) {
        std::size_t start = d.position();
        d.fail(start, std::to_string(data.size() - start) + " bytes follow the last section");
        stop(RecordPart::TextFieldColors, start);
    }
    return out;
}

} // namespace ts::core
