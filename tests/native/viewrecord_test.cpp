// The view-definition record reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_builder.h"
#include "core/viewrecord.hpp"

using namespace ts::core;

namespace {

// Builds records the way the resource compiler lays them out.
struct Rec : ByteBuilder<Rec> {
    Rec& s(const std::string& text) {
        b.insert(b.end(), text.begin(), text.end());
        b.push_back(0);
        b.push_back(0);
        return *this;
    }
    Rec& color(std::uint32_t c) { return w(static_cast<std::uint16_t>(c >> 16)).w(static_cast<std::uint16_t>(c)); }
};

// The record of the library's own file-open dialog.
const std::vector<std::uint8_t> kFileOpen = {
    0x2A, 0x00, 0x01, 0x00, 0x01, 0x00, '@', 'C', 'T', 'L', '3', 'D', '@', 'V', 'I', 'E', 'W',
    'N',  'A',  'M',  'E',  '(',  'F',  'i', 'l', 'e', 'O', 'p', 'e', 'n', ')', 0,   0,   0x01,
    0x00, 0x66, 0x00, '@',  '3',  'D',  '4', 0,   0,   0,   0,   0,   0,   0,   0,   0,   0};

} // namespace

TEST(ViewRecord, FileOpenRecord) {
    ASSERT_EQ(kFileOpen.size(), 51u);
    ViewRecord r = read_view_record(kFileOpen, 4, 1);
    EXPECT_EQ(r.head.version, 42);
    EXPECT_EQ(r.head.fontStyle, 1);
    ASSERT_TRUE(r.viewString);
    EXPECT_EQ(*r.viewString, "@CTL3D@VIEWNAME(FileOpen)");
    ASSERT_EQ(r.fieldStrings.size(), 1u);
    EXPECT_EQ(r.fieldStrings[0].id, 102);
    EXPECT_EQ(r.fieldStrings[0].directives, "@3D4");
    EXPECT_EQ(r.end, RecordEnd::Complete);
}

TEST(ViewRecord, HeadVersionRules) {
    EXPECT_EQ(read_record_head({}).version, 0);
    EXPECT_EQ(read_record_head({}).fontStyle, 1);  // no record: bold
    EXPECT_EQ(read_record_head(Rec().w(31).w(0).b).fontStyle, 1);  // no style word before 32
    EXPECT_EQ(read_record_head(Rec().w(32).w(6).b).fontStyle, 6);
    EXPECT_EQ(read_record_head(std::vector<std::uint8_t>{0x2A}).version, 0);  // too short for a version
}

TEST(ViewRecord, ColoursOnlyForVersions33And41And43) {
    for (std::uint16_t v : {33, 41, 43, 42, 34}) {
        Rec r;
        r.w(v).w(1).color(0x00010203).color(0x00040506).color(0x00070809).color(0x000A0B0C);
        ViewRecord rec = read_view_record(r.b, 1, 1);
        EXPECT_EQ(rec.colors.has_value(), v != 42 && v != 34) << v;
        if (rec.colors) {
            EXPECT_EQ(rec.colors->text, 0x00010203u);
            EXPECT_EQ(rec.colors->selBack, 0x000A0B0Cu);
        }
    }
}

TEST(ViewRecord, OldVersionsHaveNoViewStringAndNoStyleWords) {
    // V = 2: no section A; section B follows the version directly
    Rec two;
    two.w(2).w(1).w(102).s("@NUM").w(0).w(0).w(0).w(0);
    ViewRecord r2 = read_view_record(two.b, 1, 0);
    EXPECT_FALSE(r2.viewString);
    ASSERT_EQ(r2.fieldStrings.size(), 1u);
    EXPECT_EQ(r2.fieldStrings[0].directives, "@NUM");
    // V = 4: field fonts without a style word, text-field fonts with a style
    // word but no skipped word
    Rec four;
    four.w(4).w(0).w(0).w(1).w(102).w(10).s("Arial").w(1).w(1).w(12).w(3).s("Roman").w(0).w(0);
    ViewRecord r4 = read_view_record(four.b, 1, 1);
    ASSERT_EQ(r4.fieldFonts.size(), 1u);
    EXPECT_EQ(r4.fieldFonts[0].size, 10);
    EXPECT_EQ(r4.fieldFonts[0].style, 0);
    EXPECT_EQ(r4.fieldFonts[0].face, "Arial");
    ASSERT_EQ(r4.textFieldFonts.size(), 1u);
    EXPECT_EQ(r4.textFieldFonts[0].style, 3);
    EXPECT_EQ(r4.textFieldFonts[0].face, "Roman");
    // V = 42: the field font has a style; the text-field font skips a word
    Rec v42;
    v42.w(42).w(1).w(0).w(0).w(1).w(102).w(10).w(3).s("Arial").w(1).w(1).w(12).w(0xBEEF).w(5).s("Arial").w(0).w(0);
    ViewRecord r42 = read_view_record(v42.b, 1, 1);
    ASSERT_EQ(r42.fieldFonts.size(), 1u);
    EXPECT_EQ(r42.fieldFonts[0].style, 3);
    ASSERT_EQ(r42.textFieldFonts.size(), 1u);
    EXPECT_EQ(r42.textFieldFonts[0].style, 5);
    EXPECT_EQ(r42.end, RecordEnd::Complete);
}

TEST(ViewRecord, CountsOutsideTheTablesAreNotRead) {
    Rec r;
    r.w(42).w(1).w(0).w(3).w(0).w(0).w(0).w(0);  // three field strings, one field
    ViewRecord rec = read_view_record(r.b, 1, 0);
    EXPECT_TRUE(rec.fieldStrings.empty());
    // the reader goes on right after the count word: the next word is C's count
    EXPECT_EQ(rec.end, RecordEnd::Complete);
    Rec zeroFields;
    zeroFields.w(42).w(1).w(0).w(1).w(5).s("@X").w(0).w(0).w(0).w(0);
    EXPECT_TRUE(read_view_record(zeroFields.b, 0, 0).fieldStrings.empty());
}

TEST(ViewRecord, TextFieldNumberAboveCountStops) {
    Rec r;
    r.w(42).w(1).w(0).w(0).w(0);
    r.w(2).w(1).w(8).w(0).w(0).s("A").w(5).w(8).w(0).w(0).s("B");  // second names text field 5 of 2
    r.w(1).w(102).color(1).color(2).color(3).color(4).w(0);
    ViewRecord rec = read_view_record(r.b, 1, 2);
    EXPECT_EQ(rec.end, RecordEnd::BadTextField);
    ASSERT_EQ(rec.textFieldFonts.size(), 1u);
    EXPECT_TRUE(rec.fieldColors.empty());
}

TEST(ViewRecord, EndingAtASectionStartIsNotTruncation) {
    Rec r;
    r.w(42).w(1).w(1).s("@3D").w(0);  // stops before section C
    ViewRecord rec = read_view_record(r.b, 1, 1);
    EXPECT_EQ(rec.end, RecordEnd::ReachedSize);
    EXPECT_EQ(*rec.viewString, "@3D");
}

TEST(ViewRecord, EveryCutIsSafe) {
    Rec full;
    full.w(41).w(1).color(1).color(2).color(3).color(4).w(1).s("@SELCOLORS").w(1).w(7).s("@NUM");
    full.w(1).w(7).w(9).w(1).s("Arial").w(1).w(1).w(9).w(0).w(2).s("Arial");
    full.w(1).w(7).color(5).color(6).color(7).color(8).w(1).w(1).color(9).color(10);
    ViewRecord whole = read_view_record(full.b, 1, 1);
    EXPECT_EQ(whole.end, RecordEnd::Complete);
    ASSERT_EQ(whole.textFieldColors.size(), 1u);
    EXPECT_EQ(whole.textFieldColors[0].back, 10u);
    for (std::size_t n = 0; n < full.b.size(); ++n) {
        std::vector<std::uint8_t> cut(full.b.begin(), full.b.begin() + static_cast<long>(n));
        ViewRecord rec = read_view_record(cut, 1, 1);
        EXPECT_NE(rec.end, RecordEnd::Complete) << n;
        EXPECT_LE(rec.fieldColors.size(), 1u);
    }
}
