// The forms the benchmark builds at run time: a dialog template and a
// view-definition record of N fields (edits, buttons, check boxes, lists and
// statics, a label on every third field), written as the resource compiler
// would lay them out.
//
// Every form comes as two templates of the same layout: the view's, whose
// labels are items of class "text" (the view draws them), and the raw
// dialog's, whose labels are static controls (the dialog manager knows no
// "text" class).  Everything else is byte for byte the same.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ts::bench {

// The most fields one view holds.
inline constexpr unsigned kMaxFormFields = 300;

enum class FieldKind : std::uint8_t { Edit, PushButton, CheckBox, ListBox, Static };

struct FormField {
    FieldKind kind;
    std::uint16_t id;
    bool labelled;          // a label stands left of the field
};

struct Form {
    std::string name;                       // resource name, "FORM300"
    std::vector<FormField> fields;          // in template order
    unsigned labels = 0;                    // text fields of the view
    std::vector<std::uint8_t> viewTemplate; // labels as items of class "text"
    std::vector<std::uint8_t> rawTemplate;  // labels as static controls
    std::vector<std::uint8_t> record;       // view string and one string per field
    std::uint16_t typingId = 0;             // an edit near the middle of the form

    // Windows of the raw dialog: every field and every label.
    unsigned rawControls() const { return static_cast<unsigned>(fields.size()) + labels; }
};

// The directive string of every edit field.
inline constexpr const char* kEditDirectives = "@NUM@LIMIT(10)";
// The characters the edits' "@LIMIT" lets in at most.
inline constexpr unsigned kEditLimit = 10;

// A form of `fieldCount` fields (1 to kMaxFormFields; other counts are
// clamped), laid out in columns of 50 so that 300 fields fit a 1024x768
// screen.
Form make_form(unsigned fieldCount);

// The directive string a field of the form carries.
std::string field_directives(const FormField& field);

} // namespace ts::bench
