// Control class names of fields: the names a view creates its controls
// under, and the default field procedure each class gets.
#pragma once
#include <string>
#include <string_view>

namespace ts::core {

// "ZEPH", "ts" and "datatbl" classes exist in 32-bit builds under a name
// ending in "32": the suffix is added unless "32" already occurs in the name.
std::string normalize_field_class(std::string_view className);

enum class FieldProcKind {
    Edit,          // "edit"
    Button,        // "button"
    Static,        // "static"
    ListBox,       // "listbox"
    ComboBox,      // contains "combobox"; its edit child is subclassed
    TableCombo,    // contains "tscbtable": the class's own procedure, edit child subclassed
    ScrollBar,     // "scrollbar"
    TSControl,     // "ZEPH" classes, "msctls" classes and anything else
    OwnProcedure,  // other "ts" classes answer the field messages themselves
};

// The default procedure for a class; `normalized` is the name after
// normalize_field_class.  The first matching rule wins.
FieldProcKind field_proc_kind(std::string_view normalized);

} // namespace ts::core
