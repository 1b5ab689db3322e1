#include "core/viewrecord.hpp"

#include "core/bytes.hpp"

namespace ts::core {
namespace {

std::uint32_t read_color(ByteReader& r) {
    std::uint32_t hi = r.u16();
    std::uint32_t lo = r.u16();
    return (hi << 16) | lo;
}

ViewColors read_colors(ByteReader& r) {
    ViewColors c;
    c.text = read_color(r);
    c.back = read_color(r);
    c.selText = read_color(r);
    c.selBack = read_color(r);
    return c;
}

bool count_in_range(std::uint16_t n, unsigned limit) { return n >= 1 && n <= limit; }

// Reads one section of `n` entries with `read_entry`, keeping only entries
// that were read whole.  Returns false when the data ended inside it.
template <typename Entry, typename Read>
bool read_entries(ByteReader& r, std::uint16_t n, std::vector<Entry>& out, Read read_entry) {
    out.reserve(n);
    for (std::uint16_t i = 0; i < n; ++i) {
        Entry e = read_entry(r);
        if (r.failed()) return false;
        out.push_back(e);
    }
    return true;
}

} // namespace

RecordHead read_record_head(std::span<const std::uint8_t> data) {
    RecordHead head;
    ByteReader r(data);
    head.version = r.u16();
    if (!r.failed() && record_has_font_style(head.version)) {
        std::uint16_t style = r.u16();
        if (!r.failed()) head.fontStyle = style;
    }
    return head;
}

ViewRecord read_view_record(std::span<const std::uint8_t> data, unsigned fieldCount,
                            unsigned textFieldCount) {
    ViewRecord rec;
    rec.head = read_record_head(data);
    const std::uint16_t v = rec.head.version;
    ByteReader r(data);
    r.skip(record_has_font_style(v) ? 4 : 2);
    auto truncated = [&rec] {
        rec.end = RecordEnd::Truncated;
        return rec;
    };
    if (r.failed()) return truncated();

    if (record_has_colors(v)) {
        ViewColors c = read_colors(r);
        if (r.failed()) return truncated();
        rec.colors = c;
    }

    auto reached_size = [&] {
        if (!r.at_end()) return false;
        rec.end = RecordEnd::ReachedSize;
        return true;
    };

    // A: the view string
    if (reached_size()) return rec;
    if (v > 2) {
        std::uint16_t flag = r.u16();
        if (r.failed()) return truncated();
        if (flag != 0) {
            std::string_view s = r.cstring(true);
            if (r.failed()) return truncated();
            rec.viewString = s;
        }
    }

    // B: field directive strings
    std::uint16_t n = r.u16();
    if (r.failed()) return truncated();
    if (count_in_range(n, fieldCount) &&
        !read_entries(r, n, rec.fieldStrings, [](ByteReader& br) {
            FieldStringEntry e;
            e.id = br.u16();
            e.directives = br.cstring(true);
            return e;
        }))
        return truncated();

    // C: field fonts; the style word exists only after version 4
    if (reached_size()) return rec;
    n = r.u16();
    if (r.failed()) return truncated();
    if (count_in_range(n, fieldCount) &&
        !read_entries(r, n, rec.fieldFonts, [v](ByteReader& br) {
            FontEntry e;
            e.key = br.u16();
            e.size = br.u16();
            e.style = record_sizes_in_points(v) ? br.u16() : 0;
            e.face = br.cstring(true);
            return e;
        }))
        return truncated();

    // D: text-field fonts; after version 4 a skipped word stands before the style
    if (reached_size()) return rec;
    n = r.u16();
    if (r.failed()) return truncated();
    if (count_in_range(n, textFieldCount)) {
        rec.textFieldFonts.reserve(n);
        for (std::uint16_t i = 0; i < n; ++i) {
            FontEntry e;
            e.key = r.u16();
            e.size = r.u16();
            if (record_sizes_in_points(v)) r.u16();
            e.style = r.u16();
            e.face = r.cstring(true);
            if (r.failed()) return truncated();
            if (e.key > textFieldCount) {
                rec.end = RecordEnd::BadTextField;
                return rec;
            }
            rec.textFieldFonts.push_back(e);
        }
    }

    // E: field colours
    if (reached_size()) return rec;
    n = r.u16();
    if (r.failed()) return truncated();
    if (count_in_range(n, fieldCount) &&
        !read_entries(r, n, rec.fieldColors, [](ByteReader& br) {
            FieldColorEntry e;
            e.id = br.u16();
            e.colors = read_colors(br);
            return e;
        }))
        return truncated();

    // F: text-field colours
    if (reached_size()) return rec;
    n = r.u16();
    if (r.failed()) return truncated();
    if (count_in_range(n, textFieldCount) &&
        !read_entries(r, n, rec.textFieldColors, [](ByteReader& br) {
            TextColorEntry e;
            e.number = br.u16();
            e.text = read_color(br);
            e.back = read_color(br);
            return e;
        }))
        return truncated();
    return rec;
}

} // namespace ts::core
