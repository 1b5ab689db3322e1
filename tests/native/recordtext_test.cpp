// Records as text: writing, reading back, refusing what a version cannot
// hold, and keeping bytes a writer would not produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_builder.h"
#include "core/recordcheck.hpp"
#include "core/recorddecode.hpp"
#include "core/recordtext.hpp"
#include "core/viewrecord.hpp"

using namespace ts::core;

namespace {

struct Rec : ByteBuilder<Rec> {
    Rec& s(const std::string& text) {
        b.insert(b.end(), text.begin(), text.end());
        b.push_back(0);
        b.push_back(0);
        return *this;
    }
    Rec& raw(std::initializer_list<std::uint8_t> bytes) {
        b.insert(b.end(), bytes);
        return *this;
    }
};

std::vector<std::uint8_t> compile(const std::string& text) {
    ParsedRecordText p = parse_record_text(text);
    EXPECT_TRUE(p.errors.empty()) << (p.errors.empty() ? "" : p.errors[0].message);
    return record_bytes(p.model);
}

// The first error of a text that must be refused, as "LINE: message".
std::string refusal(const std::string& text) {
    ParsedRecordText p = parse_record_text(text);
    if (p.errors.empty()) return "accepted";
    return std::to_string(p.errors[0].line) + ": " + p.errors[0].message;
}

// Text of some bytes, compiled again.
std::vector<std::uint8_t> round_trip(const std::vector<std::uint8_t>& bytes, std::string* text = nullptr) {
    DecodedRecord d = decode_record(bytes);
    std::string t = format_record_text(d.model, d.warnings, "test");
    if (text) *text = t;
    return compile(t);
}

// A record using everything the version has.
RecordModel full_model(std::uint16_t v) {
    RecordModel m;
    m.version = v;
    m.fontStyle = 0x3;
    m.colors = {0x00102030, 0x00FFFFFF, 0x01000005, 0x00C0C0C0};
    if (v > 2) m.viewString = "@3D3@VIEWNAME(Every \"one\")";
    m.fieldStrings = {{101, "@NUM@LIMIT(5)"}, {0xFFFF, "caf\xE9\t"}};
    m.fieldFonts = {{101, 10, static_cast<std::uint16_t>(v > 4 ? 0x5 : 0), "Courier New"}};
    m.textFieldFonts = {{1, 14, 0x12, "Arial"}, {2, 8, 0, ""}};
    m.fieldColors = {{101, {1, 2, 3, 4}}};
    m.textFieldColors = {{2, 0x00800000, 0x000000FF}};
    return m;
}

} // namespace

TEST(RecordText, EveryVersionRoundTripsAndReadsLikeTheView) {
    for (std::uint16_t v : {1, 2, 3, 4, 32, 33, 41, 42, 43}) {
        SCOPED_TRACE(v);
        RecordModel m = full_model(v);
        std::vector<std::uint8_t> bytes = record_bytes(m);
        DecodedRecord d = decode_record(bytes);
        EXPECT_TRUE(d.warnings.empty());
        std::string text = format_record_text(d.model, {}, "");
        EXPECT_EQ(compile(text), bytes) << text;

        // the view's own reader finds the same values in the bytes
        ViewRecord r = read_view_record(bytes, 300, 100);
        EXPECT_EQ(r.end, RecordEnd::Complete);
        EXPECT_EQ(r.head.fontStyle, v >= 32 ? 0x3 : 0x1);
        EXPECT_EQ(r.colors.has_value(), v == 33 || v == 41 || v == 43);
        if (r.colors) EXPECT_EQ(r.colors->selText, 0x01000005u);
        EXPECT_EQ(r.viewString.has_value(), v > 2);
        ASSERT_EQ(r.fieldStrings.size(), 2u);
        EXPECT_EQ(r.fieldStrings[1].directives, "caf\xE9\t");
        ASSERT_EQ(r.fieldFonts.size(), 1u);
        EXPECT_EQ(r.fieldFonts[0].style, v > 4 ? 0x5 : 0);
        ASSERT_EQ(r.textFieldFonts.size(), 2u);
        EXPECT_EQ(r.textFieldFonts[0].style, 0x12);
        ASSERT_EQ(r.textFieldColors.size(), 1u);
        EXPECT_EQ(r.textFieldColors[0].text, 0x00800000u);
    }
}

TEST(RecordText, WrittenByHand) {
    // the file-open dialog's record, 51 bytes
    std::vector<std::uint8_t> fileOpen = Rec().w(42).w(1).w(1).s("@CTL3D@VIEWNAME(FileOpen)").w(1).w(102).s("@3D4")
                                             .w(0).w(0).w(0).w(0).b;
    EXPECT_EQ(compile("version 42\n"
                      "view font style bold\n"
                      "view string \"@CTL3D@VIEWNAME(FileOpen)\"\n"
                      "field strings\n"
                      "    102 \"@3D4\"\n"),
              fileOpen);
    EXPECT_EQ(compile("version 42"), Rec().w(42).w(1).w(0).w(0).w(0).w(0).w(0).w(0).b);  // 16 bytes, bold

    // comments, spellings, colour forms and optional punctuation
    std::vector<std::uint8_t> colours = compile(
        "// a view\n"
        "VERSION 41   # the colour version\n"
        "View Font Style: italic UNDERLINE 0x10\n"
        "view colors text #FF0000, back rgb(0, 128, 255), selected back 0x02000001, selected text #00ff00\n"
        "\n"
        "text field colours\n"
        "  -1 back #000000 text #FFFFFF  # a number too big for a signed word\n"
        "end after text-field colours\n");
    Rec want;
    want.w(41).w(0x16).w(0).w(0x00FF).w(0x00FF).w(0x8000).w(0).w(0xFF00).w(0x0200).w(0x0001);
    want.w(0).w(0).w(0).w(0).w(0).w(1).w(0xFFFF).w(0x00FF).w(0xFFFF).w(0).w(0);
    EXPECT_EQ(colours, want.b);

    // a text saved on Windows: a byte-order mark and CRLF line ends
    EXPECT_EQ(compile("\xEF\xBB\xBFversion 42\r\nview string \"@3D\"\r\n"),
              Rec().w(42).w(1).w(1).s("@3D").w(0).w(0).w(0).w(0).w(0).b);

    // an early end, and bytes after it
    EXPECT_EQ(compile("version 42\nview string \"@3D\"\nend after view string\ntrailing 01 0a"),
              Rec().w(42).w(1).w(1).s("@3D").raw({0x01, 0x0A}).b);
    EXPECT_EQ(compile("version 4\nend after head"), Rec().w(4).b);
    EXPECT_EQ(compile("trailing 2A"), std::vector<std::uint8_t>{0x2A});
}

TEST(RecordText, RefusesWhatTheVersionCannotHold) {
    EXPECT_EQ(refusal("version 42\nview colours text #000000 back #000000 selected text #000000 selected back #000000"),
              "2: version 42 has no view colours (only versions 33, 41 and 43 carry them)");
    EXPECT_EQ(refusal("\n# colours must be given\nversion 43\nview string \"x\""),
              "3: version 43 carries view colours: give them on a 'view colours' line");
    EXPECT_EQ(refusal("version 2\nview string \"@3D\""),
              "2: version 2 has no view string (versions 3 and later have one)");
    EXPECT_EQ(refusal("version 31\nview font style bold"),
              "2: version 31 has no view font style (versions 32 and later have one)");
    EXPECT_EQ(refusal("version 4\nfield fonts\n101 \"Arial\" 10 bold"),
              "3: a field font of version 4 has no style (versions 5 and later have one)");
    EXPECT_EQ(refusal("version 2\nend after view string"), "2: version 2 has no view string to end after");
}

TEST(RecordText, RefusesMistakesWithTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"view string \"x\"", "1: the first statement must be 'version N'"},
        {"version 42\nfield colours\nfield strings", "3: 'field strings' comes too late"},
        {"version 42\n101 \"@NUM\"", "2: an entry outside a section"},
        {"version 42\nfield strings\n101 @NUM", "3: a field string is: ID \"directives\""},
        {"version 42\nfield strings\n70000 \"x\"", "3: a control ID must be a number from 0 to 65535, not '70000'"},
        {"version 42\nfield fonts\n1 \"Arial\" 10 heavy", "3: 'heavy' is not a style"},
        {"version 42\nfield colours\n1 text #12345 back #000000", "3: the text colour is missing after its label"},
        {"version 42\nfield colours\n1 text 0x1FFFFFFFF back #000000", "3: '0x1FFFFFFFF' is not a colour"},
        {"version 42\ntext-field colours\n1 text #000000", "3: the back colour is missing"},
        {"version 42\ntext-field colours\n1 text #000000 back #000000 selected text #000000",
         "3: expected a colour label (text or back)"},
        {"version 42\nfield colours\n1 text rgb(1, 2, 256) back #000000", "3: rgb(R, G, B) takes three numbers"},
        {"version 42\nview string \"a\\x00b\"", "2: a string cannot hold \\x00"},
        {"version 42\nview string \"open", "2: the string has no closing quote"},
        {"version 42\nview string \"caf\xC3\xA9\"", "2: write characters above 127 as \\xHH"},
        {"version 42\nfield fonts\nend after field strings", "3: the record cannot end after the field strings"},
        {"version 42\nend after head\nfield strings", "3: nothing but 'trailing' may follow 'end after'"},
        {"version 42\ntrailing 1 2", "2: 'trailing' takes bytes as two hexadecimal digits"},
        {"version 42\nversion 41", "2: a second 'version' line"},
        {"version 42\nviewstring \"x\"", "2: unknown statement 'viewstring'"},
        {"", "1: the text gives no 'version' line"},
    };
    for (auto [text, message] : cases) {
        std::string got = refusal(text);
        EXPECT_EQ(got.substr(0, std::string(message).size()), message) << text;
    }
    // one line's mistake does not hide the next one's
    EXPECT_EQ(parse_record_text("version 42\nfield strings\n1 x\n2 y").errors.size(), 2u);
}

TEST(RecordText, BytesAWriterWouldNotProduceAreKeptWithAWarning) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string warning;  // the start of the first warning
    };
    const Case cases[] = {
        {Rec().w(42).w(1).w(1).raw({'@', 'X', 0, '!'}).w(0).w(0).w(0).w(0).w(0).b,
         "offset 0x0009: the filler byte after a string of the view string is 0x21, not 0"},
        {Rec().w(42).w(1).w(0).w(0).w(0).w(0).w(0).w(0).raw({7, 7, 7}).b, "offset 0x0010: 3 bytes follow"},
        {Rec().w(42).w(1).w(1).s("@VIEWNAME(Cut)").w(1).w(102).raw({'@', 'N'}).b,
         "offset 0x001C: the record ends inside a string of the field strings"},
        {Rec().w(42).w(1).w(0).w(0).w(0).w(1).w(1).w(12).w(0x7777).w(5).s("Arial").w(0).w(0).b,
         "offset 0x0010: the skipped word of a text-field font is 0x7777"},
        {Rec().w(42).w(1).w(2).s("x").w(0).w(0).w(0).w(0).w(0).b, "offset 0x0004: the view-string flag is 0x0002"},
        {Rec().w(42).w(1).w(0).w(5).w(0).w(0).w(0).w(0).b, "offset 0x0010: the record ends inside the field strings"},
        {Rec().w(33).w(1).w(0).b, "offset 0x0006: the record ends inside the head"},
        {Rec().w(42).w(1).w(1).raw({'a', 0}).b, "offset 0x0008: the record ends without the filler byte"},
        {Rec().w(42).w(1).w(1).s("v").b, "offset 0x0009: the record ends before the field strings"},
        {{0x2A}, "offset 0x0001: the record ends inside the head"},
        {{}, "offset 0x0000: the record is empty"},
    };
    for (const Case& c : cases) {
        DecodedRecord d = decode_record(c.bytes);
        ASSERT_FALSE(d.warnings.empty()) << c.warning;
        EXPECT_EQ(d.warnings[0].message.substr(0, c.warning.size()), c.warning);
        std::string text;
        EXPECT_EQ(round_trip(c.bytes, &text), c.bytes) << text;
        EXPECT_NE(text.find("# warning: " + c.warning), std::string::npos) << text;
    }
    // what comes before the irregular part stays readable
    std::string text;
    round_trip(Rec().w(42).w(1).w(1).s("@VIEWNAME(Cut)").w(1).w(102).raw({'@'}).b, &text);
    EXPECT_NE(text.find("view string \"@VIEWNAME(Cut)\"\n\nend after view string\ntrailing 01 00 66 00 40\n"),
              std::string::npos)
        << text;
}

TEST(RecordText, CheckedAgainstItsDialog) {
    DialogTemplate dialog;
    for (auto [id, cls] : {std::pair<std::uint16_t, const char16_t*>{101, u"edit"}, {300, u"TEXT"}, {102, u"button"},
                           {301, u"text"}}) {
        DialogItem it;
        it.id = id;
        it.windowClass.text = cls;
        dialog.items.push_back(it);
    }
    DialogFields fields = dialog_fields(dialog);
    EXPECT_EQ(fields.ids, (std::vector<std::uint16_t>{101, 102}));
    EXPECT_EQ(fields.textFields, 2u);

    RecordModel fits;
    fits.fieldStrings = {{101, "@NUM"}, {102, "@3D"}};
    fits.textFieldFonts = {{2, 8, 0, "Arial"}};
    fits.textFieldColors = {{1, 0, 0}};
    EXPECT_TRUE(check_record(fits, fields).empty());

    RecordModel off = fits;
    off.fieldStrings.push_back({103, "@UP"});             // three entries for two fields
    off.fieldFonts = {{300, 10, 0, "Arial"}};             // a text item is no field
    off.textFieldFonts = {{1, 8, 0, "A"}, {3, 8, 0, "B"}, {4, 8, 0, "C"}};
    off.fieldColors = {{102, {}}};
    std::vector<std::string> got = check_record(off, fields);
    const std::vector<std::string> want = {
        "the field strings hold 3 entries but the dialog has 2 fields: the view reads none of them",
        "the field fonts name control 300, which is not a field of the dialog",
        "the text-field fonts hold 3 entries but the dialog has 2 text fields: the view reads none of them",
    };
    EXPECT_EQ(got, want);
    off.textFieldFonts.pop_back();
    EXPECT_EQ(check_record(off, fields).back(),
              "text-field font 3 is not among the dialog's 2 text fields: the view stops reading the record there");
}
