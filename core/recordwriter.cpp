#include "core/recordmodel.hpp"

namespace ts::core {
namespace {

void write_color(RecordSink& out, std::uint32_t c) {
    out.word(static_cast<std::uint16_t>(c >> 16));  // high word first
    out.word(static_cast<std::uint16_t>(c));
}

void write_colors(RecordSink& out, const ViewColors& c) {
    write_color(out, c.text);
    write_color(out, c.back);
    write_color(out, c.selText);
    write_color(out, c.selBack);
}

class ByteSink : public RecordSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& out) : out_(out) {}
    void word(std::uint16_t w) override {
        out_.push_back(static_cast<std::uint8_t>(w));
        out_.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    void string(std::string_view s) override {
        out_.insert(out_.end(), s.begin(), s.end());
        out_.push_back(0);  // terminator
        out_.push_back(0);  // filler
    }
    void bytes(std::span<const std::uint8_t> b) override { out_.insert(out_.end(), b.begin(), b.end()); }

private:
    std::vector<std::uint8_t>& out_;
};

class SizeSink : public RecordSink {
public:
    void word(std::uint16_t) override { size += 2; }
    void string(std::string_view s) override { size += s.size() + 2; }
    void bytes(std::span<const std::uint8_t> b) override { size += b.size(); }
    std::size_t size = 0;
};

} // namespace

void write_record(const RecordModel& m, RecordSink& out) {
    const std::uint16_t v = m.version;
    auto reached = [&m](RecordPart p) { return m.last >= p; };
    if (reached(RecordPart::Head)) {
        out.word(v);
        if (record_has_font_style(v)) out.word(m.fontStyle);
        if (record_has_colors(v)) write_colors(out, m.colors);
    }
    if (reached(RecordPart::ViewString) && record_has_part(v, RecordPart::ViewString)) {
        out.word(m.viewString ? 1 : 0);
        if (m.viewString) out.string(*m.viewString);
    }
    if (reached(RecordPart::FieldStrings)) {
        out.word(static_cast<std::uint16_t>(m.fieldStrings.size()));
        for (const auto& e : m.fieldStrings) {
            out.word(e.id);
            out.string(e.directives);
        }
    }
    if (reached(RecordPart::FieldFonts)) {
        out.word(static_cast<std::uint16_t>(m.fieldFonts.size()));
        for (const auto& e : m.fieldFonts) {
            out.word(e.key);
            out.word(e.size);
            if (record_sizes_in_points(v)) out.word(e.style);
            out.string(e.face);
        }
    }
    if (reached(RecordPart::TextFieldFonts)) {
        out.word(static_cast<std::uint16_t>(m.textFieldFonts.size()));
        for (const auto& e : m.textFieldFonts) {
            out.word(e.key);
            out.word(e.size);
            if (record_sizes_in_points(v)) out.word(0);  // the word readers skip
            out.word(e.style);
            out.string(e.face);
        }
    }
    if (reached(RecordPart::FieldColors)) {
        out.word(static_cast<std::uint16_t>(m.fieldColors.size()));
        for (const auto& e : m.fieldColors) {
            out.word(e.id);
            write_colors(out, e.colors);
        }
    }
    if (reached(RecordPart::TextFieldColors)) {
        out.word(static_cast<std::uint16_t>(m.textFieldColors.size()));
        for (const auto& e : m.textFieldColors) {
            out.word(e.number);
            write_color(out, e.text);
            write_color(out, e.back);
        }
    }
    if (!m.trailing.empty()) out.bytes(m.trailing);
}

std::vector<std::uint8_t> record_bytes(const RecordModel& model) {
    std::vector<std::uint8_t> out;
    out.reserve(record_size(model));
    ByteSink sink(out);
    write_record(model, sink);
    return out;
}

std::size_t record_size(const RecordModel& model) {
    SizeSink sink;
    write_record(model, sink);
    return sink.size;
}

} // namespace ts::core
