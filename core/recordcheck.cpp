#include "core/recordcheck.hpp"

#include <algorithm>

#include "core/recorddecode.hpp"
#include "core/text.hpp"

namespace ts::core {
namespace {

bool is_text_class(const TemplateName& c) {
    if (c.is_ordinal() || c.text.size() != 4) return false;
    std::string s;
    for (char16_t ch : c.text) s.push_back(ch < 0x80 ? static_cast<char>(ch) : '?');
    return equals_nocase(s, "text");
}

} // namespace

DialogFields dialog_fields(const DialogTemplate& dialog) {
    DialogFields f;
    for (const DialogItem& it : dialog.items) {
        if (is_text_class(it.windowClass))
            ++f.textFields;
        else
            f.ids.push_back(it.id);
    }
    return f;
}

std::vector<std::string> check_record(const RecordModel& m, const DialogFields& f) {
    std::vector<std::string> out;
    const std::size_t fieldCount = f.ids.size();
    // A section whose count is above the table it goes to is not read at all.
    auto count = [&](RecordPart part, std::size_t n, std::size_t limit, const char* what) {
        if (n <= limit) return true;
        out.push_back(std::string("the ") + record_part_name(part) + " hold " + std::to_string(n) +
                      " entries but the dialog has " + std::to_string(limit) + " " + what +
                      ": the view reads none of them");
        return false;
    };
    auto ids = [&](RecordPart part, auto const& entries, auto id_of) {
        if (!count(part, entries.size(), fieldCount, "fields")) return;
        for (const auto& e : entries) {
            std::uint16_t id = id_of(e);
            if (std::find(f.ids.begin(), f.ids.end(), id) == f.ids.end())
                out.push_back(std::string("the ") + record_part_name(part) + " name control " + std::to_string(id) +
                              ", which is not a field of the dialog");
        }
    };
    ids(RecordPart::FieldStrings, m.fieldStrings, [](const RecordFieldString& e) { return e.id; });
    ids(RecordPart::FieldFonts, m.fieldFonts, [](const RecordFont& e) { return e.key; });
    if (count(RecordPart::TextFieldFonts, m.textFieldFonts.size(), f.textFields, "text fields")) {
        for (const RecordFont& e : m.textFieldFonts) {
            if (e.key == 0 || e.key > f.textFields) {
                out.push_back("text-field font " + std::to_string(e.key) + " is not among the dialog's " +
                              std::to_string(f.textFields) + " text fields: the view stops reading the record there");
                break;
            }
        }
    }
    ids(RecordPart::FieldColors, m.fieldColors, [](const RecordFieldColors& e) { return e.id; });
    if (count(RecordPart::TextFieldColors, m.textFieldColors.size(), f.textFields, "text fields")) {
        for (const RecordTextColors& e : m.textFieldColors)
            if (e.number == 0 || e.number > f.textFields)
                out.push_back("text-field colours " + std::to_string(e.number) + " is not among the dialog's " +
                              std::to_string(f.textFields) + " text fields");
    }
    return out;
}

} // namespace ts::core
