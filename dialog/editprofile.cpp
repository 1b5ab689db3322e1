// The editor's settings in the profile file "fwcore.ini", and the colour
// dialog with the custom colours shared with the rest of the product.
#include "dialog/editor.h"

#include <cstdio>
#include <cstring>

namespace ts {
namespace {

constexpr char kProfile[] = "fwcore.ini";
constexpr char kEditorSection[] = "Editor";
constexpr char kCustomSection[] = "Formwright+";
constexpr char kCustomKey[] = "Custom Colors";

COLORREF ReadColor(const char* prefix, COLORREF fallback) {
    char key[32];
    std::snprintf(key, sizeof key, "%s1", prefix);
    const UINT low = GetPrivateProfileIntA(kEditorSection, key, core::low_half(fallback), kProfile);
    std::snprintf(key, sizeof key, "%s2", prefix);
    const UINT high = GetPrivateProfileIntA(kEditorSection, key, core::high_half(fallback), kProfile);
    return core::join_halves(low, high);
}

void ReadCustomColors() {
    auto& s = g_editSettings;
    for (auto& c : s.custom) c = RGB(255, 255, 255);
    char text[501] = {};
    GetPrivateProfileStringA(kCustomSection, kCustomKey, "", text, sizeof text, kProfile);
    std::uint32_t colors[16];
    for (int i = 0; i < 16; ++i) colors[i] = s.custom[i];
    core::parse_custom_colors(text, colors, 16);
    for (int i = 0; i < 16; ++i) s.custom[i] = colors[i];
    s.customRead = true;
}

} // namespace

void ReadEditorProfile() {
    auto& s = g_editSettings;
    s.text = ReadColor("ForeColor", GetSysColor(COLOR_WINDOWTEXT));
    s.back = ReadColor("BackColor", GetSysColor(COLOR_WINDOW));
    char name[19] = {};
    GetPrivateProfileStringA(kEditorSection, "Font", "System", name, sizeof name, kProfile);
    s.font = core::editor_font_from_name(name);
}

void WriteEditorFont(core::EditorFont font) {
    WritePrivateProfileStringA(kEditorSection, "Font", core::editor_font_name(font), kProfile);
}

void WriteEditorColor(const char* prefix, COLORREF color) {
    char key[32], value[16];
    std::snprintf(key, sizeof key, "%s1", prefix);
    std::snprintf(value, sizeof value, "%u", static_cast<unsigned>(core::low_half(color)));
    WritePrivateProfileStringA(kEditorSection, key, value, kProfile);
    std::snprintf(key, sizeof key, "%s2", prefix);
    std::snprintf(value, sizeof value, "%u", static_cast<unsigned>(core::high_half(color)));
    WritePrivateProfileStringA(kEditorSection, key, value, kProfile);
}

bool RunEditorColorDialog(HWND owner, COLORREF* color) {
    auto& s = g_editSettings;
    if (!s.customRead) ReadCustomColors();
    COLORREF before[16];
    std::memcpy(before, s.custom, sizeof before);

    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;  // 36 bytes on i686
    cc.hwndOwner = owner;
    cc.rgbResult = *color;
    cc.lpCustColors = s.custom;
    cc.Flags = CC_RGBINIT;
    const BOOL ok = ChooseColorA(&cc);
    if (ok) *color = cc.rgbResult;
    if (std::memcmp(before, s.custom, sizeof before) != 0 &&
        MessageBoxA(owner, "Do you want to save custom colors?", "", MB_YESNO | MB_ICONSTOP) == IDYES) {
        std::uint32_t colors[16];
        for (int i = 0; i < 16; ++i) colors[i] = s.custom[i];
        char text[16 * 9 + 1];
        core::format_custom_colors(colors, 16, text, sizeof text);
        WritePrivateProfileStringA(kCustomSection, kCustomKey, text, kProfile);
    }
    return ok != 0;
}

} // namespace ts
