// List box and combo box fields: items and selection from the bound record,
// the selection reported back, tab stops, directory listings, combo keys and
// colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

MessageLog g_log;
std::vector<int> g_tabStops;

LRESULT CALLBACK ObservedList(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_log.add(h, m, w, l);
    if (m == LB_SETTABSTOPS) g_tabStops.assign(reinterpret_cast<const int*>(l), reinterpret_cast<const int*>(l) + w);
    return DefListBoxProc(h, m, w, l);
}
LRESULT CALLBACK ObservedCombo(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_log.add(h, m, w, l);
    return DefComboBoxProc(h, m, w, l);
}

char kRed[] = "Red", kGreen[] = "Green", kBlue[] = "Blue", kCyan[] = "Cyan";
char* g_items[] = {kRed, kGreen, kBlue, kCyan, nullptr};

struct Lists : ::testing::Test {
    void SetUp() override {
        g_log.clear();
        view.reset(vwOpenView(Instance(), "lists", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 30, 40, 600, 440, FALSE);
    }
    HWND Field(LONG id, const char* cls, DWORD style, void* var = nullptr) {
        vwSetFieldEx(view.get(), id, cls, "", style | WS_VISIBLE | WS_VSCROLL, 0, 10 + 70 * (id % 2), 10 + 40 * (id / 2),
                     60, 30, var, cls[0] == 'l' ? ObservedList : cls[0] == 'c' ? ObservedCombo : nullptr);
        return vwGetFieldWindow(view.get(), id);
    }
    static std::vector<std::string> Items(HWND h, bool combo, bool sorted = false) {
        std::vector<std::string> out(static_cast<size_t>(SendMessageA(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)));
        char buf[MAX_PATH];
        for (size_t i = 0; i < out.size(); ++i)
            out[i].assign(buf, SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf)));
        if (sorted) std::sort(out.begin(), out.end());
        return out;
    }
    ViewGuard view;
};

LRESULT Sel(HWND h, bool combo) { return SendMessageA(h, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0); }
void AppToScr(HWND h, const VWLISTDATA* rec) { SendMessageA(h, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(rec)); }

} // namespace

TEST_F(Lists, InitialSelectionFromTheArgumentOrTheRecord) {
    VWLISTDATA data = {3, nullptr, g_items};
    auto* aligned = static_cast<VWLISTDATA*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_EQ(reinterpret_cast<ULONG_PTR>(aligned) & 0xFFFF, 0u);  // a record with a zero low address word
    *aligned = {3, nullptr, nullptr};
    for (bool combo : {false, true}) {
        SCOPED_TRACE(combo ? "combo" : "list");
        const LONG id = combo ? 2 : 1;
        HWND h = Field(id, combo ? "combobox" : "listbox", combo ? CBS_DROPDOWN : LBS_NOTIFY, &data);
        vwSetFieldString(view.get(), id, "@INIT(Blue)");  // the argument wins over the record
        vwUpdateScreen(view.get());
        EXPECT_EQ(Sel(h, combo), 2);
        vwSetFieldString(view.get(), id, "@init(1)");  // no item starts with "1": an index
        AppToScr(h, &data);
        EXPECT_EQ(Sel(h, combo), 1);
        vwSetFieldString(view.get(), id, "");  // without "@INIT" the record is not read
        AppToScr(h, &data);
        EXPECT_EQ(Sel(h, combo), 1);
        vwSetFieldString(view.get(), id, "@Init");
        VWLISTDATA rec = {0, kCyan, nullptr};
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, combo), 3);
        rec.text = nullptr;
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, combo), 0);
        AppToScr(h, aligned);  // list boxes ignore the index of such a record
        EXPECT_EQ(Sel(h, combo), combo ? 3 : 0);
    }
    VirtualFree(aligned, 0, MEM_RELEASE);

    VWLISTDATA byText = {1, kBlue, g_items}, byIndex = {1, nullptr, nullptr};
    HWND multi = Field(3, "listbox", LBS_MULTIPLESEL, &byText);  // never takes the record's selection
    vwSetFieldString(view.get(), 3, "@INIT");
    AppToScr(multi, &byText);
    AppToScr(multi, &byIndex);
    EXPECT_EQ(SendMessageA(multi, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(Lists, ExchangeThroughTheBoundRecord) {
    char listText[32] = "unchanged", comboText[32] = "";
    VWLISTDATA listData = {7, listText, g_items}, comboData = {7, comboText, g_items};
    HWND list = Field(1, "listbox", LBS_NOTIFY, &listData);
    HWND combo = Field(2, "combobox", CBS_DROPDOWN, &comboData);
    EXPECT_EQ(SendMessageA(list, VWM_GETFIELDTYPE, 0, 0), 19);
    EXPECT_EQ(SendMessageA(combo, VWM_GETFIELDTYPE, 0, 0), 20);
    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(list, false), (std::vector<std::string>{"Red", "Green", "Blue", "Cyan"}));
    EXPECT_EQ(Items(combo, true), Items(list, false));
    EXPECT_EQ(g_log.sequence({WM_SETREDRAW, LB_ADDSTRING}).size(), 6u);  // the combo box leaves redrawing on

    SetWindowTextA(combo, "typed");  // no selection; the combo box reports its text
    vwUpdateApp(view.get());
    EXPECT_EQ(listData.index, 65535);
    EXPECT_STREQ(listText, "unchanged");
    EXPECT_EQ(comboData.index, -1);
    EXPECT_STREQ(comboText, "typed");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    vwUpdateApp(view.get());
    EXPECT_EQ(listData.index, 1);
    EXPECT_STREQ(listText, "Green");
    EXPECT_EQ(comboData.index, 2);
    EXPECT_STREQ(comboText, "Blue");

    // every transfer appends the items again; redrawing comes back on even
    // when there is nothing to add
    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(combo, true).size(), 8u);
    listData.items = nullptr;
    g_log.clear();
    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(list, false).size(), 8u);
    EXPECT_EQ(g_log.sequence({WM_SETREDRAW}), std::vector<UINT>{WM_SETREDRAW});
}

TEST_F(Lists, TabStopsAndColumnWidth) {
    HWND list = Field(1, "listbox", LBS_USETABSTOPS);
    vwSetFieldString(view.get(), 1, "TABSTOPS(16,32,48)");
    EXPECT_EQ(g_tabStops, (std::vector<int>{16, 32, 48}));
    vwSetFieldString(view.get(), 1, "@TABSTOPS()");  // the system's default stops
    EXPECT_TRUE(g_tabStops.empty());
    EXPECT_EQ(g_log.sequence({LB_SETTABSTOPS}).size(), 2u);
    std::string many = "@TABSTOPS(1";
    for (int i = 2; i <= 45; ++i) many += "," + std::to_string(i % 10);
    vwSetFieldString(view.get(), 1, (many + ")").c_str());
    ASSERT_EQ(g_tabStops.size(), 41u);
    EXPECT_EQ(g_tabStops.back(), 1);
    int stop = 8;  // the class answers through the field
    EXPECT_EQ(SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop)), TRUE);

    HWND columns = Field(3, "listbox", LBS_MULTICOLUMN);  // widths are in the view's dialog units
    SendMessageA(columns, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kRed));
    vwSetFieldString(view.get(), 3, "@COLWIDTH(40)");
    LONG width[4] = {40, 0, 0, 0};
    RECT item = {};
    vwMapDialogToScreen(view->hWnd, width);
    SendMessageA(columns, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.right - item.left, width[0]);
}

TEST_F(Lists, DirectoryListingsKeepTheCurrentDirectory) {
    char tmp[MAX_PATH] = {}, dir[MAX_PATH + 32] = {};
    GetTempPathA(sizeof tmp, tmp);
    std::snprintf(dir, sizeof dir, "%slists%lu", tmp, GetCurrentProcessId());
    const std::string d = dir, files[] = {d + "\\a.txt", d + "\\b.txt", d + "\\c.dat"};
    CreateDirectoryA(dir, nullptr);
    CreateDirectoryA((d + "\\sub").c_str(), nullptr);
    for (const std::string& f : files) CloseHandle(CreateFileA(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    char before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    const std::vector<std::string> withDirs = {"[..]", "[sub]", "a.txt", "b.txt"};

    HWND list = Field(1, "listbox", 0);
    HWND shows = Field(2, "static", 0);
    HWND other = CreateWindowA("static", "keep", WS_CHILD, 0, 0, 9, 9, view->hWnd, reinterpret_cast<HMENU>(99), Instance(), nullptr);
    vwSetFieldString(view.get(), 1, ("@DIRLST(" + d + "\\*.txt,2,0010)").c_str());
    EXPECT_EQ(Items(list, false, true), withDirs);
    EXPECT_STRCASEEQ(TextOf(shows).c_str(), dir);
    GetCurrentDirectoryA(sizeof after, after);
    EXPECT_STREQ(after, before);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    vwSetFieldString(view.get(), 1, ("@DIRLST(" + d + "\\*.dat,99)").c_str());  // 99 is no field
    EXPECT_EQ(Items(list, false), std::vector<std::string>{"c.dat"});
    EXPECT_EQ(TextOf(other), "keep");

    SetCurrentDirectoryA(dir);
    HWND combo = Field(3, "combobox", CBS_DROPDOWN);
    vwSetFieldString(view.get(), 3, "@DIRLST(*.txt)");
    EXPECT_EQ(Items(combo, true, true), (std::vector<std::string>{"a.txt", "b.txt"}));
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    vwSetFieldString(view.get(), 3, "@DIRLST(*.txt,0,0010)");
    EXPECT_EQ(Items(combo, true, true), withDirs);
    SetCurrentDirectoryA(before);
    for (const std::string& f : files) DeleteFileA(f.c_str());
    RemoveDirectoryA((d + "\\sub").c_str());
    RemoveDirectoryA(dir);
}

TEST_F(Lists, KeysAndTheComboColourAnswer) {
    HWND list = Field(1, "listbox", 0);
    char tabbed[] = "\tTabbed";
    for (char* item : {tabbed, kBlue}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(DefListBoxProc(list, WM_CHAR, '\t', 0), 0);  // Tab never searches the items
    EXPECT_EQ(Sel(list, false), -1);
    DefListBoxProc(list, WM_CHAR, 'b', 0);
    EXPECT_EQ(Sel(list, false), 1);

    HWND combo = Field(2, "combobox", CBS_DROPDOWNLIST);  // no edit part to close it instead
    for (WPARAM key : {WPARAM('A'), WPARAM(VK_RETURN)}) {
        g_log.clear();
        DefComboBoxProc(combo, WM_KEYDOWN, key, 0);
        EXPECT_EQ(g_log.contains(CB_SHOWDROPDOWN), key == VK_RETURN);
    }

    vwSetFieldColors(view.get(), 2, RGB(200, 0, 0), RGB(0, 0, 200), 0, 0);
    HBRUSH brush = vwGetFieldBackBrush(view.get(), 2);
    POINT origin = {0, 0}, org = {};
    ClientToScreen(combo, &origin);
    HDC dc = CreateCompatibleDC(nullptr);
    for (UINT msg : {UINT(WM_CTLCOLOREDIT), UINT(WM_CTLCOLORLISTBOX), UINT(VWM_CTLCOLOR)}) {
        SetBrushOrgEx(dc, 0, 0, nullptr);
        EXPECT_EQ(SendMessageA(combo, msg, WPARAM(dc), 0), LRESULT(brush));
        EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));
        EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 200));
        GetBrushOrgEx(dc, &org);
        EXPECT_EQ(org.x, origin.x);
        EXPECT_EQ(org.y, origin.y);
    }
    EXPECT_NE(SendMessageA(combo, WM_CTLCOLORDLG, WPARAM(dc), 0), LRESULT(brush));
    DeleteDC(dc);
}
