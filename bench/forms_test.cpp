// The generated forms read back with the library's own template and record
// readers.
#include <gtest/gtest.h>

#include <string>

#include "bench/forms.hpp"
#include "core/dlgtemplate.hpp"
#include "core/viewrecord.hpp"

using namespace ts;
using bench::FieldKind;

TEST(BenchForms, TemplatesDifferOnlyInTheClassOfTheLabels) {
    const bench::Form f = bench::make_form(300);
    const core::DialogTemplate view = core::read_dialog_template(f.viewTemplate);
    const core::DialogTemplate raw = core::read_dialog_template(f.rawTemplate);
    ASSERT_FALSE(view.truncated);
    ASSERT_FALSE(raw.truncated);
    ASSERT_EQ(view.items.size(), f.rawControls());
    ASSERT_EQ(raw.items.size(), f.rawControls());
    EXPECT_EQ(view.header.itemCount, f.rawControls());
    EXPECT_EQ(view.header.face, u"Courier");
    // 300 fields fit a 1024x768 screen at the font's 8 x 13 pixels (with the
    // window's border), so that painting is never clipped by the screen's edge
    EXPECT_LE(view.header.cx * 8 / 4 + 2, 1024);
    EXPECT_LE(view.header.cy * 13 / 8 + 2, 768);
    unsigned labels = 0, fields = 0;
    for (std::size_t i = 0; i < view.items.size(); ++i) {
        const core::DialogItem &a = view.items[i], &b = raw.items[i];
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.cy, b.cy);
        if (a.windowClass.text == u"text") {
            EXPECT_EQ(b.windowClass.text, u"static");
            ++labels;
            continue;
        }
        EXPECT_EQ(a.windowClass.text, b.windowClass.text);
        EXPECT_EQ(a.style, b.style);
        ASSERT_LT(fields, f.fields.size());
        EXPECT_EQ(a.id, f.fields[fields++].id);
    }
    EXPECT_EQ(labels, f.labels);
    EXPECT_EQ(fields, f.fields.size());
    EXPECT_LE(f.labels, 100u);  // a view holds at most 100 text fields
}

TEST(BenchForms, RecordCarriesTheViewStringAndOneStringPerField) {
    const bench::Form f = bench::make_form(100);
    const core::ViewRecord r = core::read_view_record(f.record, static_cast<unsigned>(f.fields.size()), f.labels);
    EXPECT_EQ(r.end, core::RecordEnd::Complete);
    EXPECT_EQ(r.head.version, 42);
    EXPECT_EQ(r.head.fontStyle, 0);  // regular, like the raw dialog's font
    ASSERT_TRUE(r.viewString);
    EXPECT_EQ(*r.viewString, "@3D3@VIEWNAME(FORM100)");
    ASSERT_EQ(r.fieldStrings.size(), f.fields.size());
    for (std::size_t i = 0; i < f.fields.size(); ++i) {
        EXPECT_EQ(r.fieldStrings[i].id, f.fields[i].id);
        EXPECT_EQ(r.fieldStrings[i].directives, bench::field_directives(f.fields[i]));
    }
    EXPECT_TRUE(r.fieldFonts.empty() && r.fieldColors.empty());
}

TEST(BenchForms, SizesAreClampedAndTheTypingFieldIsAnEdit) {
    EXPECT_EQ(bench::make_form(0).fields.size(), 1u);
    EXPECT_EQ(bench::make_form(1000).fields.size(), 300u);
    for (unsigned n : {1u, 3u, 10u, 300u}) {
        const bench::Form f = bench::make_form(n);
        bool found = false;
        for (const bench::FormField& field : f.fields)
            if (field.id == f.typingId) found = field.kind == FieldKind::Edit;
        EXPECT_TRUE(found) << n;
        EXPECT_EQ(f.name, "FORM" + std::to_string(n));
    }
    const bench::FormField edit{FieldKind::Edit, 5, false}, list{FieldKind::ListBox, 7, true};
    EXPECT_EQ(bench::field_directives(edit), "@NUM@LIMIT(10)");
    EXPECT_EQ(bench::field_directives(list), "@NAME(F7)@DSL(Picks one entry)");
}
