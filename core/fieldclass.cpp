#include "core/fieldclass.hpp"

#include "core/text.hpp"

namespace ts::core {

std::string normalize_field_class(std::string_view className) {
    std::string name(className);
    for (std::string_view prefix : {std::string_view("ZEPH"), std::string_view("ts"), std::string_view("datatbl")}) {
        if (starts_with_nocase(name, prefix) && !contains_nocase(name, "32")) name += "32";
    }
    return name;
}

FieldProcKind field_proc_kind(std::string_view n) {
    if (equals_nocase(n, "edit")) return FieldProcKind::Edit;
    if (equals_nocase(n, "button")) return FieldProcKind::Button;
    if (equals_nocase(n, "static")) return FieldProcKind::Static;
    if (equals_nocase(n, "listbox")) return FieldProcKind::ListBox;
    if (contains_nocase(n, "combobox")) return FieldProcKind::ComboBox;
    if (contains_nocase(n, "tscbtable")) return FieldProcKind::TableCombo;
    if (equals_nocase(n, "scrollbar")) return FieldProcKind::ScrollBar;
    if (contains_nocase(n, "ZEPH")) return FieldProcKind::TSControl;
    if (starts_with_nocase(n, "ts")) return FieldProcKind::OwnProcedure;
    return FieldProcKind::TSControl;  // "msctls" classes and any other
}

} // namespace ts::core
