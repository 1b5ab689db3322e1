// What a view is made from: its record and dialog template as read, records
// as text (written, read back, refused, kept with warnings, checked), dialog
// units, the face-name table and field class names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/dlgtemplate.hpp"
#include "core/fieldclass.hpp"
#include "core/fontface.hpp"
#include "core/recordcheck.hpp"
#include "core/recorddecode.hpp"
#include "core/recordtext.hpp"
#include "core/units.hpp"
#include "core/viewrecord.hpp"

using namespace ts::core;

namespace {

// Little-endian bytes laid out the way the resource compiler lays them out.
struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& raw(std::initializer_list<std::uint8_t> bytes) { return b.insert(b.end(), bytes), *this; }
    Bytes& w(std::uint32_t v) { return raw({std::uint8_t(v), std::uint8_t(v >> 8)}); }
    Bytes& d(std::uint32_t v) { return w(v).w(v >> 16); }
    Bytes& color(std::uint32_t c) { return w(c >> 16).w(c); }  // high word first
    // a record string: its bytes, the ending 0 and one filler byte
    Bytes& s(const std::string& text) { return b.insert(b.end(), text.begin(), text.end()), raw({0, 0}); }
    Bytes& u(const std::u16string& text) {  // a template string
        for (char16_t c : text) w(c);
        return w(0);
    }
    // a template header, and an item of a predefined class on a double word
    Bytes& header(std::uint32_t style, std::uint16_t items) { return d(style).d(0).w(items).w(1).w(2).w(100).w(50); }
    Bytes& item(std::uint16_t id) {
        b.resize((b.size() + 3) & ~3u);
        return d(0x50010000).d(0).w(4).w(5).w(40).w(12).w(id);
    }
    Bytes& item(std::uint16_t id, std::uint16_t atom, const std::u16string& caption) {
        return item(id).w(0xFFFF).w(atom).u(caption).w(0);
    }
};

std::vector<std::uint8_t> compile(const std::string& text) {
    ParsedRecordText p = parse_record_text(text);
    EXPECT_TRUE(p.errors.empty()) << (p.errors.empty() ? "" : p.errors[0].message);
    return record_bytes(p.model);
}

} // namespace

TEST(ViewRecord, CountsOutsideOneToTheTableSizeAreNotReadAndTheEndIsTold) {
    // two field strings, then empty sections C to F
    const auto rec = Bytes().w(42).w(1).w(0).w(2).w(101).s("@A").w(102).s("@B").w(0).w(0).w(0).w(0).b;
    ViewRecord two = read_view_record(rec, 2, 0);
    ASSERT_EQ(two.fieldStrings.size(), 2u);
    EXPECT_EQ(two.fieldStrings[1].directives, "@B");
    EXPECT_EQ(two.end, RecordEnd::Complete);
    for (unsigned fields : {0u, 1u})  // the reader goes on right after the count word
        EXPECT_TRUE(read_view_record(rec, fields, 0).fieldStrings.empty()) << fields;
    const auto colours = Bytes().w(42).w(1).w(0).w(0).w(0).w(0).w(0).w(2).w(1).color(5).color(6).w(2).color(7).color(8).b;
    EXPECT_EQ(read_view_record(colours, 1, 2).textFieldColors.size(), 2u);
    EXPECT_TRUE(read_view_record(colours, 1, 1).textFieldColors.empty());
    // a text-field font naming text field 5 of 2 stops reading before the colours
    const auto bad = Bytes().w(42).w(1).w(0).w(0).w(0).w(2).w(1).w(8).w(0).w(0).s("A").w(5).w(8).w(0).w(0).s("B")
                         .w(1).w(102).color(1).color(2).color(3).color(4).w(0).b;
    ViewRecord stopped = read_view_record(bad, 1, 2);
    EXPECT_EQ(stopped.end, RecordEnd::BadTextField);
    EXPECT_EQ(stopped.textFieldFonts.size(), 1u);
    EXPECT_TRUE(stopped.fieldColors.empty());
    const auto stop = Bytes().w(42).w(1).w(1).s("@3D").w(0).b;  // ending before section C is no cut
    EXPECT_EQ(read_view_record(stop, 1, 1).end, RecordEnd::ReachedSize);
}

TEST(DialogTemplate, HeaderAndItemsOnDoubleWordBoundariesAndShortData) {
    Bytes t;  // every item ends two bytes short of a double word
    t.header(kDsSetFont | kDsModalFrame, 7).w(0xFFFF).w(7).u(u"BorDlg").u(u"Caption").w(8).u(u"MS Sans Serif");
    for (std::uint16_t a = 0x80; a <= 0x85; ++a) t.item(a, a, u"OK");
    // a class by name, a caption by ordinal, four bytes of creation data
    t.item(200).u(u"text").w(0xFFFF).w(101).w(4).w(0xAAAA).w(0xBBBB);
    DialogTemplate r = read_dialog_template(t.b);
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.header.windowClass.text + u"|" + r.header.caption + u"|" + r.header.face, u"BorDlg|Caption|MS Sans Serif");
    EXPECT_EQ(r.header.menu.ordinal, 7);
    EXPECT_EQ(r.header.pointSize, 8);
    ASSERT_EQ(r.items.size(), 7u);
    const char16_t* names[] = {u"button", u"edit", u"static", u"listbox", u"scrollbar", u"combobox", u"text"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(r.items[i].windowClass.text, names[i]);
    EXPECT_EQ(r.items[6].id, 200);
    EXPECT_EQ(r.items[6].caption.ordinal, 101);
    DialogTemplate cut = read_dialog_template(std::span(t.b).first(t.b.size() - 1));  // whole items only
    EXPECT_EQ(cut.items.size(), 6u);
    EXPECT_TRUE(cut.truncated);
}

TEST(RecordText, EveryVersionRoundTripsAndReadsLikeTheView) {
    for (std::uint16_t v : {1, 2, 3, 4, 32, 33, 41, 42, 43}) {
        SCOPED_TRACE(v);
        RecordModel m{.version = v, .fontStyle = 0x3, .colors = {0x00102030, 0x00FFFFFF, 0x01000005, 0x00C0C0C0},
                      .fieldStrings = {{101, "@NUM@LIMIT(5)"}, {0xFFFF, "caf\xE9\t"}},
                      .fieldFonts = {{101, 10, std::uint16_t(v > 4 ? 0x5 : 0), "Courier New"}},
                      .textFieldFonts = {{1, 14, 0x12, "Arial"}, {2, 8, 0, ""}}, .fieldColors = {{101, {1, 2, 3, 4}}},
                      .textFieldColors = {{2, 0x00800000, 0x000000FF}}};  // everything the version has
        if (v > 2) m.viewString = "@3D3@VIEWNAME(Every \"one\")";
        std::vector<std::uint8_t> bytes = record_bytes(m);
        EXPECT_TRUE(decode_record(bytes).warnings.empty());
        EXPECT_EQ(compile(format_record_text(decode_record(bytes).model, {}, "")), bytes);
        // the view's own reader finds the same values in the bytes
        ViewRecord r = read_view_record(bytes, 300, 100);
        EXPECT_EQ(r.end, RecordEnd::Complete);
        EXPECT_EQ(r.head.fontStyle, v >= 32 ? 0x3 : 0x1);
        EXPECT_EQ(r.colors ? r.colors->selText : 0, v == 33 || v == 41 || v == 43 ? 0x01000005u : 0);
        EXPECT_EQ(r.viewString.has_value(), v > 2);
        ASSERT_EQ(r.fieldFonts.size(), 1u);
        EXPECT_EQ(r.fieldFonts[0].style, v > 4 ? 0x5 : 0);
        ASSERT_EQ(r.textFieldFonts.size(), 2u);
        EXPECT_EQ(r.textFieldFonts[0].style, 0x12);
        for (std::size_t n = 0; n < bytes.size(); ++n)  // every cut is safe and seen
            ASSERT_NE(read_view_record(std::span(bytes).first(n), 300, 100).end, RecordEnd::Complete) << n;
    }
}

TEST(RecordText, WrittenByHand) {
    EXPECT_EQ(compile("version 42\n"  // the file-open dialog's record
                      "view font style bold\n"
                      "view string \"@CTL3D@VIEWNAME(FileOpen)\"\n"
                      "field strings\n"
                      "    102 \"@3D4\"\n"),
              Bytes().w(42).w(1).w(1).s("@CTL3D@VIEWNAME(FileOpen)").w(1).w(102).s("@3D4").w(0).w(0).w(0).w(0).b);
    EXPECT_EQ(compile("version 42"), Bytes().w(42).w(1).w(0).w(0).w(0).w(0).w(0).w(0).b);  // bold, sections empty
    // comments, spellings, colour forms and optional punctuation
    EXPECT_EQ(compile("// a view\n"
                      "VERSION 41   # the colour version\n"
                      "View Font Style: italic UNDERLINE 0x10\n"
                      "view colors text #FF0000, back rgb(0, 128, 255), selected back 0x02000001, selected text #00ff00\n"
                      "\n"
                      "text field colours\n"
                      "  -1 back #000000 text #FFFFFF  # a number too big for a signed word\n"
                      "end after text-field colours\n"),
              Bytes().w(41).w(0x16).color(0xFF).color(0xFF8000).color(0xFF00).color(0x02000001).w(0).w(0).w(0).w(0).w(0)
                  .w(1).w(0xFFFF).color(0xFFFFFF).color(0).b);
    // a text saved on Windows: a byte-order mark and CRLF line ends
    EXPECT_EQ(compile("\xEF\xBB\xBFversion 42\r\nview string \"@3D\"\r\n"),
              Bytes().w(42).w(1).w(1).s("@3D").w(0).w(0).w(0).w(0).w(0).b);
}

TEST(RecordText, RefusesMistakesWithTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"version 42\nview colours text #000000 back #000000 selected text #000000 selected back #000000",
         "2: version 42 has no view colours (only versions 33, 41 and 43 carry them)"},
        {"\n# colours must be given\nversion 43\nview string \"x\"",
         "3: version 43 carries view colours: give them on a 'view colours' line"},
        {"version 42\nfield strings\n70000 \"x\"", "3: a control ID must be a number from 0 to 65535, not '70000'"},
        {"version 42\nfield colours\n1 text 0x1FFFFFFFF back #000000", "3: '0x1FFFFFFFF' is not a colour"},
        {"version 42\nview string \"caf\xC3\xA9\"", "2: write characters above 127 as \\xHH"},
        {"", "1: the text gives no 'version' line"},
    };
    for (auto [text, message] : cases) {
        ParsedRecordText p = parse_record_text(text);
        ASSERT_FALSE(p.errors.empty()) << text;
        EXPECT_EQ((std::to_string(p.errors[0].line) + ": " + p.errors[0].message).substr(0, std::strlen(message)), message);
    }
    // one line's mistake does not hide the next one's
    EXPECT_EQ(parse_record_text("version 42\nfield strings\n1 x\n2 y").errors.size(), 2u);
}

TEST(RecordText, BytesAWriterWouldNotProduceAreKeptWithAWarning) {
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {  // the start of the first warning
        {Bytes().w(42).w(1).w(1).raw({'@', 'X', 0, '!'}).w(0).w(0).w(0).w(0).w(0).b,
         "offset 0x0009: the filler byte after a string of the view string is 0x21, not 0"},
        {Bytes().w(42).w(1).w(1).s("@VIEWNAME(Cut)").w(1).w(102).raw({'@', 'N'}).b,
         "offset 0x001C: the record ends inside a string of the field strings"},
        {{}, "offset 0x0000: the record is empty"},
    };
    for (const auto& [bytes, warning] : cases) {
        DecodedRecord d = decode_record(bytes);
        ASSERT_FALSE(d.warnings.empty()) << warning;
        EXPECT_EQ(d.warnings[0].message.substr(0, warning.size()), warning);
        std::string text = format_record_text(d.model, d.warnings, "test");
        EXPECT_EQ(compile(text), bytes) << text;
        EXPECT_THAT(text, testing::HasSubstr("# warning: " + warning));
    }
    // what comes before the irregular part stays readable
    DecodedRecord cut = decode_record(std::get<0>(cases[1]));
    EXPECT_THAT(format_record_text(cut.model, cut.warnings, ""),
                testing::HasSubstr("view string \"@VIEWNAME(Cut)\"\n\nend after view string\ntrailing 01 00 66 00 40 4E\n"));
}

TEST(RecordText, CheckedAgainstItsDialog) {
    DialogTemplate dialog;
    for (auto [id, cls] : {std::pair{101, u"edit"}, {300, u"TEXT"}, {102, u"button"}, {301, u"text"}})
        dialog.items.push_back({.id = std::uint16_t(id), .windowClass = {.text = cls}});
    const DialogFields fields = dialog_fields(dialog);
    RecordModel fits{.fieldStrings = {{101, "@NUM"}, {102, "@3D"}}, .textFieldFonts = {{2, 8, 0, "Arial"}}};
    EXPECT_TRUE(check_record(fits, fields).empty());
    RecordModel off = fits;
    off.fieldStrings.push_back({103, "@UP"});  // three entries for two fields
    off.fieldFonts = {{300, 10, 0, "Arial"}};  // a text item is no field
    off.textFieldFonts = {{1, 8, 0, "A"}, {3, 8, 0, "B"}};
    EXPECT_EQ(check_record(off, fields), (std::vector<std::string>{
        "the field strings hold 3 entries but the dialog has 2 fields: the view reads none of them",
        "the field fonts name control 300, which is not a field of the dialog",
        "text-field font 3 is not among the dialog's 2 text fields: the view stops reading the record there"}));
}

TEST(Units, TruncationTowardZeroNoOverflowAndTheBasisOfAVersion) {
    EXPECT_EQ(pixels_to_dialog_x(21, 8), 10);  // the +1 of the window mapping still truncates back
    EXPECT_EQ(dialog_to_pixels_x(-3, 8), -6);
    EXPECT_EQ(dialog_to_pixels_y(-5, 13), -8);
    EXPECT_EQ(pixels_to_dialog_x(-7, 6), -4);
    EXPECT_EQ(pixels_to_dialog_y(INT_MAX, 16), 1073741823);
    EXPECT_EQ(pixels_to_dialog_x(-2147483647, 8), -1073741823);
    EXPECT_EQ(dialog_to_pixels_x(INT_MAX, 1000), -250);  // the product wraps like a 32-bit multiply
    // records before version 42 are laid out in the system's dialog base units
    for (auto [version, base] : {std::pair{0, false}, {1, true}, {41, true}, {42, false}, {43, false}})
        EXPECT_EQ(version_uses_base_units(version), base) << version;
}

TEST(FaceTable, LatinNamesIgnoreCaseJapaneseNamesCompareByteForByte) {
    const struct { const char* face; bool dbcs; std::uint8_t pitchAndFamily, charSet; } cases[] = {
        {"terminal", false, 0x30, 255},
        {"System", false, 0x11, 1},  // the presets stay
        {"system", true, 0x02, 128},
        {"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", false, 0x31, 128},  // MS Gothic
        {"\x82\x4c\x82\x72\x20\x96\xbe\x92\xa9", false, 0, 0},  // a lower-case fold of a lead byte is another name
    };
    for (const auto& c : cases) {
        FaceFlags f = {0x11, 1};
        face_flags(c.face, c.dbcs, f);
        EXPECT_EQ(std::pair(f.pitchAndFamily, f.charSet), std::pair(c.pitchAndFamily, c.charSet)) << c.face;
    }
}

TEST(FieldClass, SuffixAndFirstMatchingRule) {
    EXPECT_EQ(normalize_field_class("zephbutton") + normalize_field_class("ZEPH32Button"), "zephbutton32ZEPH32Button");
    EXPECT_EQ(field_proc_kind("tscbtable32"), FieldProcKind::TableCombo);
    EXPECT_EQ(field_proc_kind("tsstring32"), FieldProcKind::OwnProcedure);
    EXPECT_EQ(field_proc_kind("editor"), FieldProcKind::TSControl);  // "edit" is compared whole
}
