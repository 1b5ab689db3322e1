// The dialog template reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_builder.h"
#include "core/dlgtemplate.hpp"

using namespace ts::core;

namespace {

struct Tpl : ByteBuilder<Tpl> {
    Tpl& s(const std::u16string& t) {
        for (char16_t c : t) w(c);
        return w(0);
    }
    Tpl& align() {
        while (b.size() % 4) b.push_back(0);
        return *this;
    }
    Tpl& header(std::uint32_t style, std::uint16_t items) {
        return d(style).d(0).w(items).w(1).w(2).w(100).w(50);
    }
    Tpl& item(std::uint16_t id, std::uint16_t atom, const std::u16string& text) {
        align().d(0x50010000).d(0).w(4).w(5).w(40).w(12).w(id);
        return w(0xFFFF).w(atom).s(text).w(0);
    }
};

} // namespace

TEST(DialogTemplate, HeaderStringsFontAndAlignedItems) {
    Tpl t;
    t.header(0x40 | 0x80, 2).s(u"").s(u"BorDlg").s(u"Caption").w(8).s(u"MS Sans Serif");
    t.item(1, 0x80, u"OK");
    t.align().d(0).d(0).w(1).w(2).w(3).w(4).w(200).s(u"text").s(u"&Name").w(0);
    DialogTemplate r = read_dialog_template(t.b);
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.header.itemCount, 2);
    EXPECT_EQ(r.header.cx, 100);
    EXPECT_EQ(r.header.windowClass.text, u"BorDlg");
    EXPECT_EQ(r.header.caption, u"Caption");
    EXPECT_TRUE(r.header.hasFont);
    EXPECT_EQ(r.header.pointSize, 8);
    EXPECT_EQ(r.header.face, u"MS Sans Serif");
    ASSERT_EQ(r.items.size(), 2u);
    EXPECT_EQ(r.items[0].windowClass.text, u"button");
    EXPECT_EQ(r.items[0].caption.text, u"OK");
    EXPECT_EQ(r.items[1].windowClass.text, u"text");
    EXPECT_EQ(r.items[1].id, 200);
    EXPECT_EQ(r.items[1].cy, 4);
}

TEST(DialogTemplate, EveryPredefinedAtom) {
    const char16_t* names[] = {u"button", u"edit", u"static", u"listbox", u"scrollbar", u"combobox"};
    Tpl t;
    t.header(0, 6).s(u"").s(u"").s(u"");
    for (std::uint16_t a = 0x80; a <= 0x85; ++a) t.item(a, a, u"");
    DialogTemplate r = read_dialog_template(t.b);
    ASSERT_EQ(r.items.size(), 6u);
    EXPECT_FALSE(r.header.hasFont);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r.items[i].windowClass.text, names[i]);
}

TEST(DialogTemplate, OrdinalsAndCreationData) {
    Tpl t;
    t.header(0, 1).w(0xFFFF).w(7).s(u"").s(u"");
    t.align().d(0).d(0).w(0).w(0).w(0).w(0).w(9).w(0xFFFF).w(0x82).w(0xFFFF).w(101).w(4).w(0xAAAA).w(0xBBBB);
    DialogTemplate r = read_dialog_template(t.b);
    EXPECT_TRUE(r.header.menu.is_ordinal());
    EXPECT_EQ(r.header.menu.ordinal, 7);
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_TRUE(r.items[0].caption.is_ordinal());
    EXPECT_FALSE(r.truncated);
}

TEST(DialogTemplate, EveryCutIsSafe) {
    Tpl t;
    t.header(0x40, 3).s(u"").s(u"").s(u"Cut").w(8).s(u"Arial");
    t.item(1, 0x80, u"A").item(2, 0x81, u"B").item(3, 0x82, u"C");
    ASSERT_EQ(read_dialog_template(t.b).items.size(), 3u);
    for (std::size_t n = 0; n < t.b.size(); ++n) {
        std::vector<std::uint8_t> cut(t.b.begin(), t.b.begin() + static_cast<long>(n));
        DialogTemplate r = read_dialog_template(cut);
        EXPECT_TRUE(r.truncated) << n;
        EXPECT_LT(r.items.size(), 3u);
    }
}

TEST(DialogTemplate, ItemCountLargerThanTheData) {
    Tpl t;
    t.header(0, 0xFFFF).s(u"").s(u"").s(u"");
    t.item(1, 0x80, u"only");
    DialogTemplate r = read_dialog_template(t.b);
    EXPECT_EQ(r.items.size(), 1u);
    EXPECT_TRUE(r.truncated);
}
