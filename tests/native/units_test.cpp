// Dialog-unit arithmetic, the face-name table and field class names.
#include <gtest/gtest.h>

#include <climits>

#include "core/fieldclass.hpp"
#include "core/fontface.hpp"
#include "core/units.hpp"

using namespace ts::core;

TEST(Units, RoundTripWithEightBySixteen) {
    std::int32_t r[4] = {10, 10, 100, 50};
    rect_dialog_to_pixels(r, {8, 16});
    EXPECT_EQ(r[0], 20);
    EXPECT_EQ(r[1], 20);
    EXPECT_EQ(r[2], 200);
    EXPECT_EQ(r[3], 100);
    rect_pixels_to_dialog(r, {8, 16});
    EXPECT_EQ(r[0], 10);
    EXPECT_EQ(r[3], 50);
    // the +1 of the window mapping still truncates back: 21 x 4 / 8 = 10
    EXPECT_EQ(pixels_to_dialog_x(21, 8), 10);
}

TEST(Units, NegativeValuesTruncateTowardZero) {
    EXPECT_EQ(dialog_to_pixels_x(-3, 8), -6);
    EXPECT_EQ(dialog_to_pixels_x(-1, 7), -1);
    EXPECT_EQ(dialog_to_pixels_y(-5, 13), -8);
    EXPECT_EQ(pixels_to_dialog_x(-7, 6), -4);
}

TEST(Units, LargeValuesDoNotOverflowTheQuotient) {
    EXPECT_EQ(pixels_to_dialog_y(INT_MAX, 16), INT_MAX / 2);
    EXPECT_EQ(pixels_to_dialog_x(INT_MIN + 1, 8), (INT_MIN + 1) / 2);
    // the forward product wraps like a 32-bit multiply and never traps
    (void)dialog_to_pixels_x(INT_MAX, 1000);
}

TEST(Units, VersionChoosesTheBasis) {
    EXPECT_FALSE(version_uses_base_units(0));
    EXPECT_TRUE(version_uses_base_units(30));
    EXPECT_TRUE(version_uses_base_units(41));
    EXPECT_FALSE(version_uses_base_units(42));
}

TEST(FaceTable, LatinNamesIgnoreCase) {
    FaceFlags f = {0, 1};
    face_flags("terminal", false, f);
    EXPECT_EQ(f.pitchAndFamily, 0x30);
    EXPECT_EQ(f.charSet, 255);
    face_flags("WINGDINGS", false, f);
    EXPECT_EQ(f.pitchAndFamily, 0x50);
    EXPECT_EQ(f.charSet, 2);
    face_flags("Arial", false, f);
    EXPECT_EQ(f.pitchAndFamily, 0);
    EXPECT_EQ(f.charSet, 0);
}

TEST(FaceTable, SystemDependsOnDoubleByteSupport) {
    FaceFlags f = {0x11, 1};
    face_flags("System", false, f);
    EXPECT_EQ(f.pitchAndFamily, 0x11);  // the presets stay
    EXPECT_EQ(f.charSet, 1);
    face_flags("system", true, f);
    EXPECT_EQ(f.pitchAndFamily, 0x02);
    EXPECT_EQ(f.charSet, 128);
}

TEST(FaceTable, JapaneseNamesCompareByteForByte) {
    FaceFlags f = {};
    face_flags("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", false, f);  // MS Gothic
    EXPECT_EQ(f.pitchAndFamily, 0x31);
    EXPECT_EQ(f.charSet, 128);
    face_flags("\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", false, f);  // MS Mincho
    EXPECT_EQ(f.pitchAndFamily, 0x11);
    face_flags("\x95\x57\x8f\x80\x96\xbe\x92\xa9", false, f);
    EXPECT_EQ(f.pitchAndFamily, 0);
    EXPECT_EQ(f.charSet, 128);
    // a lower-case fold of a lead byte is another name
    face_flags("\x82\x4c\x82\x72\x20\x96\xbe\x92\xa9", false, f);
    EXPECT_EQ(f.charSet, 0);
}

TEST(FieldClass, SuffixRules) {
    EXPECT_EQ(normalize_field_class("tsnumeric"), "tsnumeric32");
    EXPECT_EQ(normalize_field_class("ZEPHButton"), "ZEPHButton32");
    EXPECT_EQ(normalize_field_class("zephbutton"), "zephbutton32");
    EXPECT_EQ(normalize_field_class("datatbl"), "datatbl32");
    EXPECT_EQ(normalize_field_class("tsTable32"), "tsTable32");
    EXPECT_EQ(normalize_field_class("ZEPH32Button"), "ZEPH32Button");
    EXPECT_EQ(normalize_field_class("edit"), "edit");
}

TEST(FieldClass, FirstMatchingRuleWins) {
    EXPECT_EQ(field_proc_kind("EDIT"), FieldProcKind::Edit);
    EXPECT_EQ(field_proc_kind("ComboBox"), FieldProcKind::ComboBox);
    EXPECT_EQ(field_proc_kind("tscbtable32"), FieldProcKind::TableCombo);
    EXPECT_EQ(field_proc_kind("tsstring32"), FieldProcKind::OwnProcedure);
    EXPECT_EQ(field_proc_kind("ZEPHButton32"), FieldProcKind::TSControl);
    EXPECT_EQ(field_proc_kind("msctls_updown32"), FieldProcKind::TSControl);
    EXPECT_EQ(field_proc_kind("borradio"), FieldProcKind::TSControl);
    EXPECT_EQ(field_proc_kind("editor"), FieldProcKind::TSControl);  // equals, not begins
}
