#include "core/dlgtemplate.hpp"

#include <algorithm>

#include "core/bytes.hpp"

namespace ts::core {
namespace {

TemplateName read_name(ByteReader& r) {
    TemplateName name;
    if (r.peek_u16() == 0xFFFF) {
        r.u16();
        name.ordinal = r.u16();
        if (name.ordinal == 0) name.ordinal = 0xFFFF;  // still an ordinal
        return name;
    }
    name.text = r.wstring();
    return name;
}

void read_rect(ByteReader& r, std::int16_t& x, std::int16_t& y, std::int16_t& cx, std::int16_t& cy) {
    x = r.i16();
    y = r.i16();
    cx = r.i16();
    cy = r.i16();
}

} // namespace

const char16_t* predefined_class_name(std::uint16_t atom) {
    switch (atom) {
    case 0x80: return u"button";
    case 0x81: return u"edit";
    case 0x82: return u"static";
    case 0x83: return u"listbox";
    case 0x84: return u"scrollbar";
    case 0x85: return u"combobox";
    default: return u"";
    }
}

DialogTemplate read_dialog_template(std::span<const std::uint8_t> data) {
    DialogTemplate t;
    ByteReader r(data);
    DialogHeader& h = t.header;
    h.style = r.u32();
    h.exStyle = r.u32();
    h.itemCount = r.u16();
    read_rect(r, h.x, h.y, h.cx, h.cy);
    h.menu = read_name(r);
    h.windowClass = read_name(r);
    h.caption = r.wstring();
    if (h.style & kDsSetFont) {
        h.pointSize = r.u16();
        h.face = r.wstring();
        h.hasFont = !r.failed();
    }
    if (r.failed()) {
        t.truncated = true;
        return t;
    }
    // the count is untrusted: an item takes 24 bytes at least
    t.items.reserve(std::min<std::size_t>(h.itemCount, r.remaining() / 24));
    for (std::uint16_t i = 0; i < h.itemCount; ++i) {
        DialogItem it;
        r.align(4);
        it.style = r.u32();
        it.exStyle = r.u32();
        read_rect(r, it.x, it.y, it.cx, it.cy);
        it.id = r.u16();
        it.windowClass = read_name(r);
        if (it.windowClass.is_ordinal()) {
            const char16_t* n = predefined_class_name(it.windowClass.ordinal);
            if (*n) it.windowClass = TemplateName{n, 0};
        }
        it.caption = read_name(r);
        std::uint16_t extra = r.u16();  // creation data size in bytes
        r.skip(extra);
        if (r.failed()) {
            t.truncated = true;
            break;
        }
        t.items.push_back(std::move(it));
    }
    return t;
}

} // namespace ts::core
