#include "bench/forms.hpp"

#include <algorithm>
#include <string_view>

namespace ts::bench {
namespace {

// Window and control styles (the values of the Windows headers).
constexpr std::uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000;
constexpr std::uint32_t kWsBorder = 0x00800000, kWsTabStop = 0x00010000;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kEsAutoHScroll = 0x80;
constexpr std::uint32_t kBsAutoCheckBox = 0x3;
constexpr std::uint32_t kLbsNotify = 0x1, kLbsNoIntegralHeight = 0x100;
constexpr std::uint16_t kAtomButton = 0x80, kAtomEdit = 0x81, kAtomStatic = 0x82, kAtomListBox = 0x83;

// The font of both windows.  A view converts dialog units with its font's
// average character width, the dialog manager with the average width of
// the alphabet; for a fixed-pitch font the two agree (8 x 13 pixels for
// "Courier" at 8 points), so the view and the raw dialog lay their controls
// out at the same pixels.
constexpr const char* kFace = "Courier";
constexpr std::uint16_t kPointSize = 8;

// Layout in dialog units: columns of 50 rows, a row 9 high, a column 83
// wide holding a 20-unit label and a 58-unit field; 300 fields take
// 502 x 454 units, 1004 x 737 pixels.
constexpr unsigned kRowsPerColumn = 50;
constexpr int kMargin = 2, kRowHeight = 9, kColumnWidth = 83;
constexpr int kLabelWidth = 20, kFieldLeft = 22, kFieldWidth = 58, kItemHeight = 8;

constexpr std::uint16_t kFirstFieldId = 1000, kFirstLabelId = 3000;

// The kinds of ten consecutive fields; the ones marked carry a label
// (three in ten, so that 300 fields stay within the view's 100 text fields).
constexpr struct {
    FieldKind kind;
    bool labelled;
} kPattern[10] = {
    {FieldKind::Edit, true},     {FieldKind::Edit, false},       {FieldKind::Static, false},
    {FieldKind::Edit, true},     {FieldKind::PushButton, false}, {FieldKind::Edit, false},
    {FieldKind::ListBox, true},  {FieldKind::Static, false},     {FieldKind::CheckBox, false},
    {FieldKind::Static, false},
};

class TemplateWriter {
public:
    void word(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void dword(std::uint32_t v) {
        word(static_cast<std::uint16_t>(v));
        word(static_cast<std::uint16_t>(v >> 16));
    }
    // An ASCII string as 16-bit characters with their terminator.
    void text(std::string_view s) {
        for (char c : s) word(static_cast<unsigned char>(c));
        word(0);
    }
    void align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    void item(std::uint32_t style, int x, int y, int cx, int cy, std::uint16_t id, std::uint16_t atom,
              std::string_view caption) {
        itemHead(style, x, y, cx, cy, id);
        word(0xFFFF);
        word(atom);
        text(caption);
        word(0);  // no creation data
    }
    void namedItem(std::uint32_t style, int x, int y, int cx, int cy, std::uint16_t id, std::string_view cls,
                   std::string_view caption) {
        itemHead(style, x, y, cx, cy, id);
        text(cls);
        text(caption);
        word(0);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    void itemHead(std::uint32_t style, int x, int y, int cx, int cy, std::uint16_t id) {
        align();
        dword(style);
        dword(0);
        for (int v : {x, y, cx, cy}) word(static_cast<std::uint16_t>(v));
        word(id);
    }
    std::vector<std::uint8_t> bytes_;
};

class RecordWriter {
public:
    void word(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    // A string, its terminator and the filler byte.
    void text(std::string_view s) {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        bytes_.push_back(0);
        bytes_.push_back(0);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

struct Cell {
    int x, y;
};

Cell CellOf(unsigned index) {
    return {kMargin + static_cast<int>(index / kRowsPerColumn) * kColumnWidth,
            kMargin + static_cast<int>(index % kRowsPerColumn) * kRowHeight};
}

std::vector<std::uint8_t> WriteTemplate(const Form& form, bool labelsAsText) {
    const unsigned n = static_cast<unsigned>(form.fields.size());
    const unsigned columns = (n + kRowsPerColumn - 1) / kRowsPerColumn;
    const unsigned rows = std::min(n, kRowsPerColumn);
    TemplateWriter t;
    t.dword(kWsPopup | kWsBorder | kDsSetFont);
    t.dword(0);
    t.word(static_cast<std::uint16_t>(form.rawControls()));
    t.word(0);
    t.word(0);
    t.word(static_cast<std::uint16_t>(2 * kMargin + columns * kColumnWidth));
    t.word(static_cast<std::uint16_t>(2 * kMargin + rows * kRowHeight));
    t.text("");  // no menu
    t.text("");  // the default dialog class
    t.text("");  // no caption
    t.word(kPointSize);
    t.text(kFace);

    const std::uint32_t child = kWsChild | kWsVisible;
    std::uint16_t labelId = kFirstLabelId;
    for (unsigned i = 0; i < n; ++i) {
        const FormField& f = form.fields[i];
        const Cell c = CellOf(i);
        if (f.labelled) {
            if (labelsAsText) t.namedItem(0, c.x, c.y + 1, kLabelWidth, kItemHeight, labelId, "text", "Label");
            else t.item(child, c.x, c.y + 1, kLabelWidth, kItemHeight, labelId, kAtomStatic, "Label");
            ++labelId;
        }
        const int x = c.x + kFieldLeft;
        switch (f.kind) {
        case FieldKind::Edit:
            t.item(child | kWsBorder | kWsTabStop | kEsAutoHScroll, x, c.y, kFieldWidth, kItemHeight, f.id,
                   kAtomEdit, "");
            break;
        case FieldKind::PushButton:
            t.item(child | kWsTabStop, x, c.y, kFieldWidth, kItemHeight, f.id, kAtomButton, "Go");
            break;
        case FieldKind::CheckBox:
            t.item(child | kWsTabStop | kBsAutoCheckBox, x, c.y, kFieldWidth, kItemHeight, f.id, kAtomButton,
                   "Check");
            break;
        case FieldKind::ListBox:
            // no border: the view takes it off list boxes on current systems
            t.item(child | kWsTabStop | kLbsNotify | kLbsNoIntegralHeight, x, c.y, kFieldWidth, kItemHeight, f.id,
                   kAtomListBox, "");
            break;
        case FieldKind::Static:
            t.item(child, x, c.y + 1, kFieldWidth, kItemHeight, f.id, kAtomStatic, "Value");
            break;
        }
    }
    return t.take();
}

std::vector<std::uint8_t> WriteRecord(const Form& form) {
    RecordWriter r;
    r.word(42);  // the version of the library's own records
    r.word(0);   // regular weight, like the raw dialog's font
    r.word(1);
    r.text("@3D3@VIEWNAME(" + form.name + ")");
    r.word(static_cast<std::uint16_t>(form.fields.size()));
    for (const FormField& f : form.fields) {
        r.word(f.id);
        r.text(field_directives(f));
    }
    for (int section = 0; section < 4; ++section) r.word(0);  // no fonts, no colours
    return r.take();
}

} // namespace

std::string field_directives(const FormField& field) {
    if (field.kind == FieldKind::Edit) return kEditDirectives;
    const char* help = "Shows the value";
    switch (field.kind) {
    case FieldKind::PushButton: help = "Runs the step"; break;
    case FieldKind::CheckBox: help = "Marks the entry"; break;
    case FieldKind::ListBox: help = "Picks one entry"; break;
    default: break;
    }
    return "@NAME(F" + std::to_string(field.id) + ")@DSL(" + help + ")";
}

Form make_form(unsigned fieldCount) {
    const unsigned n = std::clamp(fieldCount, 1u, kMaxFormFields);
    Form form;
    form.name = "FORM" + std::to_string(n);
    for (unsigned i = 0; i < n; ++i) {
        const auto& p = kPattern[i % 10];
        form.fields.push_back({p.kind, static_cast<std::uint16_t>(kFirstFieldId + i), p.labelled});
        if (p.labelled) ++form.labels;
    }
    // the first edit from the middle on, wrapping round to the start
    for (unsigned k = 0; k < n && !form.typingId; ++k) {
        const FormField& f = form.fields[(n / 2 + k) % n];
        if (f.kind == FieldKind::Edit) form.typingId = f.id;
    }
    form.viewTemplate = WriteTemplate(form, true);
    form.rawTemplate = WriteTemplate(form, false);
    form.record = WriteRecord(form);
    return form;
}

} // namespace ts::bench
