// The default field procedures of buttons, statics, scroll bars, list
// boxes, combo boxes and other classes: protection, drop targets, help, DDE,
// frames, the combo box's edit filter, picture buttons, and the items,
// selection, tab stops, directory listings and colours of lists.
#include <dde.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "beep.h"
#include "fieldtest.h"
#include "msglog.h"

using namespace tstest;

namespace {

MessageLog g_heard;  // what a DDE client, the help window and the view hear
LRESULT CALLBACK Recorder(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_ACK || m == WM_DDE_TERMINATE || m == WM_COPYDATA) g_heard.add(h, m, w, l);
    if (m == WM_DDE_ACK) {
        GlobalDeleteAtom(LOWORD(l));
        GlobalDeleteAtom(HIWORD(l));
    }
    return m == WM_COPYDATA ? 1 : DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK ViewLog(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND) g_heard.add(h, m, w, l);
    return DefViewProc(h, m, w, l);
}

struct Controls : FieldTest {
    void SetUp() override {
        Open(ViewLog);
        RegisterTestClass("PlainControl", DefWindowProcA);
        const char* classes[] = {"button", "button", "static", "scrollbar", "listbox", "combobox", "PlainControl", "edit"};
        const DWORD styles[] = {BS_PUSHBUTTON, BS_GROUPBOX, SS_NOTIFY, SBS_HORZ, LBS_NOTIFY, CBS_DROPDOWN, 0, 0};
        for (LONG id = 1; id <= 8; ++id)
            Add(id, classes[id - 1], styles[id - 1] | WS_TABSTOP, 4, 20 * id - 16, 80, id == 6 ? 60 : 14);
    }
    std::string States() {  // per field: protected, enabled or disabled, drop target
        std::string s;
        for (LONG id = 1; id <= 7; ++id)
            s += std::to_string(vwIsFieldProtected(view.get(), id)) + (IsWindowEnabled(W(id)) ? "e" : "d") +
                 (GetPropA(W(id), "@WANTDROP") ? "t " : "- ");
        return s;
    }
};

} // namespace

TEST_F(Controls, ProtectionAndDropTargetsByClass) {
    for (LONG id = 1; id <= 7; ++id) Dirs(id, "@PRT@DROPTARG");
    // a group box and a static are protected but not disabled; other classes take no drops
    EXPECT_EQ(States(), "1dt 1et 1et 1dt 1dt 1dt 1d- ");
    // a later string without the keyword enables them again (the standard classes
    // read it case-sensitively, other classes do not); drop targets stay
    for (LONG id = 1; id <= 7; ++id) Dirs(id, "@prt@droptarg");
    EXPECT_EQ(States(), "1dt 1et 1et 1et 1et 1et 1d- ");
    SetWindowTextA(W(8), "dragged");
    SendMessageA(W(3), VWM_DRAG1, reinterpret_cast<WPARAM>(W(8)), 0);
    EXPECT_EQ(TextOf(W(3)), "dragged");
    // a notifying static never reports a click to the view: drag and drop has it
    g_heard.clear();
    SendMessageA(W(3), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(W(3), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(g_heard.entries().empty());
    CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(W(3), GCLP_WNDPROC)), W(3), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(g_heard.sequence(), std::vector<UINT>{WM_COMMAND});  // which the class itself would do
}

TEST_F(Controls, HelpKeyAndDdeRoutingPerClass) {
    RegisterTestClass("MS_WINHELP", Recorder);
    HWND help = CreateWindowA("MS_WINHELP", "help", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    std::string helped;
    for (LONG id = 1; id <= 8; ++id) {
        Dirs(id, "@HELP(demo.hlp,3)");
        g_heard.clear();
        SendMessageA(id == 6 ? GetWindow(W(6), GW_CHILD) : W(id), WM_KEYDOWN, VK_F1, 0);  // a combo box through its edit
        helped += g_heard.contains(WM_COPYDATA) ? "h" : "-";
    }
    EXPECT_EQ(helped, "hh-hhh-h");  // statics and other classes give no help
    // list boxes serve a DDE conversation and end it when they go; buttons take no part
    ATOM app = GlobalAddAtomA("Shop"), topic = GlobalAddAtomA("Prices");
    g_heard.clear();
    for (LONG id : {1, 5}) {
        Dirs(id, "@SERVER(Shop,Prices,Milk)");
        SendMessageA(W(id), WM_DDE_INITIATE, reinterpret_cast<WPARAM>(help), MAKELPARAM(app, topic));
    }
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(topic);
    ASSERT_EQ(g_heard.sequence(), std::vector<UINT>{WM_DDE_ACK});
    DestroyWindow(W(5));
    PumpMessages();
    ASSERT_EQ(g_heard.sequence(), (std::vector<UINT>{WM_DDE_ACK, WM_DDE_TERMINATE}));
    EXPECT_EQ(g_heard.entries()[1].wParam, g_heard.entries()[0].wParam);  // from the partner that answered
}

TEST_F(Controls, ComboEditFiltersAndHandsOnNavigation) {
    BeepRecorder beeps;
    HWND edit = GetWindow(W(6), GW_CHILD);
    Dirs(6, "@NUM@EXCLUDE(5)");
    SetFocus(edit);
    Type(edit, "a15\t2");
    EXPECT_EQ(TextOf(edit), "12");
    EXPECT_EQ(beeps.count(), 2);  // the letter and the excluded digit; Tab is silent
    Dirs(6, "@UP@Include(Q)");    // combo boxes know no "@Include"
    SetFocus(W(7));
    SetFocus(edit);
    Type(edit, "qz");
    EXPECT_EQ(TextOf(edit), "12QZ");
    SendMessageA(edit, WM_KEYDOWN, VK_TAB, 0);  // Tab reaches the combo box and moves on
    EXPECT_EQ(GetFocus(), W(7));
    vwProtectField(view.get(), 6);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(GetFocus(), W(7));  // a protected combo box ignores clicks
}

TEST_F(Controls, HidingAFieldErasesItsFrameWithItsShadow) {
    vwSetViewBackBrush(view.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Dirs(3, "@3D2");
    RedrawWindow(view->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const POINT shadow = {vwGetFieldXPos(view.get(), 3) + vwGetFieldWidth(view.get(), 3) + 2,
                          vwGetFieldYPos(view.get(), 3) + 8};  // the 4-pixel shadow on the right
    EXPECT_EQ(PixelAt(view->hWnd, shadow.x, shadow.y), GetSysColor(COLOR_BTNSHADOW));
    ShowWindow(W(3), SW_HIDE);
    UpdateWindow(view->hWnd);
    EXPECT_EQ(PixelAt(view->hWnd, shadow.x, shadow.y), RGB(255, 255, 255));
}

TEST_F(Controls, PictureButtonsFromStockIconsAndFiles) {
    CreateDirectoryA("art.d", nullptr);
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
    for (auto [file, colour] : {std::pair{"redpic.bmp", red}, {"bluepic.bmp", blue}, {"art.d\\logo", green}}) {
        const BITMAPINFOHEADER ih{sizeof ih, 8, 8, 1, 24};  // a solid 8 x 8 picture
        const BITMAPFILEHEADER fh{0x4D42, sizeof fh + sizeof ih + 192, 0, 0, sizeof fh + sizeof ih};
        std::string bytes = std::string(reinterpret_cast<const char*>(&fh), sizeof fh) +
                            std::string(reinterpret_cast<const char*>(&ih), sizeof ih);
        for (int i = 0; i < 64; ++i) bytes += {char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour))};
        FILE* f = std::fopen(file, "wb");
        std::fwrite(bytes.data(), bytes.size(), 1, f);
        std::fclose(f);
    }
    HWND button = W(1);
    auto shown = [&] {  // a pixel of the picture, centred at the top
        UpdateWindow(button);
        return PixelAt(button, (vwGetFieldWidth(view.get(), 1) - 8) / 2 + 3, 7);
    };
    for (const char* dirs : {"@ICON(QUESTION)", "@ICON(question)"}) {  // a stock icon by its name
        Dirs(1, dirs);
        EXPECT_EQ(GetPropA(button, "ICON"), LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION))) << dirs;
    }
    Dirs(1, "@ICON(nothing.ico)");  // at worst the application icon
    EXPECT_EQ(GetPropA(button, "ICON"), LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    Dirs(1, "@BITMAP(redpic)@DISABLE(bluepic)");  // ".bmp" added
    EXPECT_EQ(GetPropA(button, "ICON"), nullptr);
    HANDLE first = GetPropA(button, "BITMAP");
    EXPECT_EQ(shown(), red);
    EnableWindow(button, FALSE);
    EXPECT_EQ(shown(), blue);
    EXPECT_TRUE(vwIsFieldProtected(view.get(), 1));
    EnableWindow(button, TRUE);
    EXPECT_EQ(shown(), red);
    EXPECT_FALSE(vwIsFieldProtected(view.get(), 1));
    Dirs(1, "@BITMAP(art.d\\logo)");     // a name with a '.' is taken as it is
    EXPECT_EQ(GetObjectType(first), 0u);  // the old picture was deleted
    EXPECT_EQ(shown(), green);
    Dirs(1, "@BITMAP(missing)");  // nothing found: an ordinary button
    EXPECT_EQ(GetPropA(button, "BITMAP"), nullptr);
    EXPECT_NE(shown(), green);
}

namespace {

// What the list procedures send their controls to fill and show them.
MessageLog g_log;
LRESULT CALLBACK ObservedList(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SETREDRAW || m == LB_ADDSTRING) g_log.add(h, m, w, l);
    return DefListBoxProc(h, m, w, l);
}
LRESULT CALLBACK ObservedCombo(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == CB_ADDSTRING) g_log.add(h, m, w, l);
    return DefComboBoxProc(h, m, w, l);
}

char kRedText[] = "Red", kGreenText[] = "Green", kBlueText[] = "Blue", kCyanText[] = "Cyan";
char* g_items[] = {kRedText, kGreenText, kBlueText, kCyanText, nullptr};

struct Lists : FieldTest {
    HWND Field(LONG id, bool combo, DWORD style, void* var = nullptr) {
        g_log.clear();
        return Add(id, combo ? "combobox" : "listbox", style | WS_VSCROLL, 10 + 70 * (id % 2), 10 + 40 * (id / 2), 60,
                   30, var, combo ? ObservedCombo : ObservedList);
    }
};

LRESULT Sel(HWND h, bool combo) { return SendMessageA(h, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0); }
void AppToScr(HWND h, const VWLISTDATA* rec) { SendMessageA(h, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(rec)); }

} // namespace

TEST_F(Lists, InitialSelectionFromTheArgumentOrTheRecord) {
    VWLISTDATA data = {3, nullptr, g_items}, byText = {0, kCyanText, nullptr}, byIndex = {0, nullptr, nullptr};
    auto* aligned = static_cast<VWLISTDATA*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_EQ(reinterpret_cast<ULONG_PTR>(aligned) & 0xFFFF, 0u);  // a record with a zero low address word
    *aligned = {3, nullptr, nullptr};
    for (bool combo : {false, true}) {
        const LONG id = combo ? 2 : 1;
        HWND h = Field(id, combo, combo ? CBS_DROPDOWN : LBS_NOTIFY, &data);
        std::string selected;
        for (auto [dirs, rec] : {std::pair{"@INIT(Blue)", &data},  // the argument wins over the record
                                 {"@init(1)", &data},              // no item starts with "1": an index
                                 {"", &data},                      // without "@INIT" the record is not read
                                 {"@Init", &byText}, {"@Init", &byIndex},
                                 {"@Init", aligned}}) {            // list boxes ignore the index of such a record
            Dirs(id, dirs);
            AppToScr(h, rec);
            selected += std::to_string(Sel(h, combo));
        }
        EXPECT_EQ(selected, combo ? "211303" : "211300");
    }
    VirtualFree(aligned, 0, MEM_RELEASE);
    VWLISTDATA blue = {1, kBlueText, g_items};
    HWND multi = Field(3, false, LBS_MULTIPLESEL, &blue), single = Field(5, false, 0, &blue);
    for (LONG id : {3L, 5L}) Dirs(id, "@INIT");
    AppToScr(multi, &blue);
    AppToScr(single, &blue);
    EXPECT_EQ(SendMessageA(multi, LB_GETSELCOUNT, 0, 0), 0);  // a multiple-selection list ignores the record
    EXPECT_EQ(Sel(single, false), 2);                          // where a single one takes it
}

TEST_F(Lists, ExchangeThroughTheBoundRecord) {
    char listText[32] = "unchanged", comboText[32] = "";
    VWLISTDATA listData = {7, listText, g_items}, comboData = {7, comboText, g_items};
    HWND list = Field(1, false, LBS_NOTIFY, &listData);
    HWND combo = Field(2, true, CBS_DROPDOWN, &comboData);
    EXPECT_EQ(SendMessageA(list, VWM_GETFIELDTYPE, 0, 0), 19);
    EXPECT_EQ(SendMessageA(combo, VWM_GETFIELDTYPE, 0, 0), 20);
    vwUpdateScreen(view.get());
    // the list box draws once for all its items; the combo box leaves redrawing on
    EXPECT_EQ(g_log.sequence(), (std::vector<UINT>{WM_SETREDRAW, LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING,
                                                   WM_SETREDRAW, CB_ADDSTRING, CB_ADDSTRING, CB_ADDSTRING, CB_ADDSTRING}));
    SetWindowTextA(combo, "typed");  // no selection; the combo box reports its text
    vwUpdateApp(view.get());
    EXPECT_EQ(std::to_string(listData.index) + listText + std::to_string(comboData.index) + comboText,
              "65535unchanged-1typed");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    vwUpdateApp(view.get());
    EXPECT_EQ(std::to_string(listData.index) + listText + std::to_string(comboData.index) + comboText,
              "1Green2Blue");  // the items in the record's order
    // every transfer appends the items again; redrawing comes back on even
    // when there is nothing to add
    listData.items = nullptr;
    g_log.clear();
    vwUpdateScreen(view.get());
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 8);
    ASSERT_EQ(g_log.sequence({WM_SETREDRAW, LB_ADDSTRING}), std::vector<UINT>{WM_SETREDRAW});
    EXPECT_EQ(g_log.entries()[0].wParam, static_cast<WPARAM>(TRUE));
}
