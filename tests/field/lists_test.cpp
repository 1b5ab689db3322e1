// List box and combo box fields: items and selection from the bound record,
// the selection reported back, tab stops and column widths, directory
// listings, frames, colours, keys and DDE.
#include <gtest/gtest.h>
#include <dde.h>

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
LRESULT g_tabAnswer = 0;
HANDLE g_dropAfterDestroy = nullptr;

void Observe(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_log.add(h, m, w, l);
    if (m == LB_SETTABSTOPS) g_tabStops.assign(reinterpret_cast<const int*>(l), reinterpret_cast<const int*>(l) + w);
}

LRESULT CALLBACK ObservedList(HWND h, UINT m, WPARAM w, LPARAM l) {
    Observe(h, m, w, l);
    LRESULT r = DefListBoxProc(h, m, w, l);
    if (m == LB_SETTABSTOPS) g_tabAnswer = r;
    if (m == WM_DESTROY) g_dropAfterDestroy = GetPropA(h, "@WANTDROP");
    return r;
}

LRESULT CALLBACK ObservedCombo(HWND h, UINT m, WPARAM w, LPARAM l) {
    Observe(h, m, w, l);
    LRESULT r = DefComboBoxProc(h, m, w, l);
    if (m == WM_DESTROY) g_dropAfterDestroy = GetPropA(h, "@WANTDROP");
    return r;
}

char kRed[] = "Red", kGreen[] = "Green", kBlue[] = "Blue", kCyan[] = "Cyan";

struct Lists : ::testing::Test {
    void SetUp() override {
        g_log.clear();
        view.reset(vwOpenView(Instance(), "lists", WS_POPUP, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 30, 40, 600, 440, FALSE);
        vwSetViewBackBrush(view.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ShowWindow(view->hWnd, SW_SHOWNA);
    }
    HWND List(LONG id, DWORD style = 0, void* var = nullptr, int y = 10) {
        vwSetFieldEx(view.get(), id, "listbox", "", style | LBS_NOTIFY | WS_VISIBLE | WS_VSCROLL, 0, 20, y, 120, 60, var,
                     ObservedList);
        return vwGetFieldWindow(view.get(), id);
    }
    HWND Combo(LONG id, void* var = nullptr, int y = 90, DWORD type = CBS_DROPDOWN) {
        vwSetFieldEx(view.get(), id, "combobox", "", type | WS_VISIBLE | WS_VSCROLL, 0, 150, y, 80, 100, var,
                     ObservedCombo);
        return vwGetFieldWindow(view.get(), id);
    }
    static void Fill(HWND h, bool combo) {
        for (const char* s : {kRed, kGreen, kBlue, kCyan})
            SendMessageA(h, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    static LRESULT Sel(HWND h, bool combo) { return SendMessageA(h, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0); }
    // The items in alphabetical order.
    static std::vector<std::string> Sorted(HWND h, bool combo) {
        std::vector<std::string> items = Items(h, combo);
        std::sort(items.begin(), items.end());
        return items;
    }
    static std::vector<std::string> Items(HWND h, bool combo) {
        std::vector<std::string> out;
        const LRESULT n = SendMessageA(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char buf[MAX_PATH] = {};
            SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            out.push_back(buf);
        }
        return out;
    }
    static LRESULT AppToScr(HWND h, const VWLISTDATA* rec) {
        return SendMessageA(h, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(rec));
    }
    COLORREF At(int x, int y) {
        HDC dc = GetDC(view->hWnd);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(view->hWnd, dc);
        return c;
    }
    RECT Repainted(HWND h) {
        RedrawWindow(view->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rc;
        GetWindowRect(h, &rc);
        MapWindowPoints(nullptr, view->hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    ViewGuard view;
};

} // namespace

TEST_F(Lists, InitArgumentSelectsByTextThenByNumber) {
    char* items[] = {kRed, kGreen, kBlue, kCyan, nullptr};
    VWLISTDATA data = {3, nullptr, items};  // the record's own selection loses to the argument
    HWND list = List(1, 0, &data);
    HWND combo = Combo(2, &data);
    vwSetFieldString(view.get(), 1, "@INIT(Blue)");
    vwSetFieldString(view.get(), 2, "@init(Gr)");
    vwUpdateScreen(view.get());
    EXPECT_EQ(Sel(list, false), 2);
    EXPECT_EQ(Sel(combo, true), 1);
    // no item starts with "1": the argument is an index
    vwSetFieldString(view.get(), 1, "@INIT(1)");
    vwSetFieldString(view.get(), 2, "@INIT(0)");
    AppToScr(list, &data);
    AppToScr(combo, &data);
    EXPECT_EQ(Sel(list, false), 1);
    EXPECT_EQ(Sel(combo, true), 0);
}

TEST_F(Lists, RecordSelectionNeedsABareInit) {
    HWND list = List(1);
    HWND combo = Combo(2);
    for (bool isCombo : {false, true}) {
        HWND h = isCombo ? combo : list;
        const LONG id = isCombo ? 2 : 1;
        Fill(h, isCombo);
        VWLISTDATA rec = {1, kBlue, nullptr};
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, isCombo), -1) << isCombo;  // without "@INIT" the record is not read
        vwSetFieldString(view.get(), id, "@Init");
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, isCombo), 2) << isCombo;
        char nope[] = "Nope";
        rec.text = nope;  // an unknown text leaves the selection alone
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, isCombo), 2) << isCombo;
        rec.text = nullptr;
        AppToScr(h, &rec);
        EXPECT_EQ(Sel(h, isCombo), 1) << isCombo;
        EXPECT_EQ(AppToScr(h, nullptr), 0);
        EXPECT_EQ(Sel(h, isCombo), 1) << isCombo;
    }

    // a record whose address has a zero low word: list boxes ignore its index
    auto* aligned = static_cast<VWLISTDATA*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_TRUE(aligned);
    ASSERT_EQ(reinterpret_cast<ULONG_PTR>(aligned) & 0xFFFF, 0u);
    *aligned = {3, nullptr, nullptr};
    AppToScr(list, aligned);
    AppToScr(combo, aligned);
    EXPECT_EQ(Sel(list, false), 1);
    EXPECT_EQ(Sel(combo, true), 3);
    VirtualFree(aligned, 0, MEM_RELEASE);

    // a multiple-selection list box never takes the record's selection
    HWND multi = List(3, LBS_MULTIPLESEL, nullptr, 200);
    Fill(multi, false);
    vwSetFieldString(view.get(), 3, "@INIT");
    VWLISTDATA rec = {1, kBlue, nullptr};
    AppToScr(multi, &rec);
    rec.text = nullptr;
    AppToScr(multi, &rec);
    EXPECT_EQ(SendMessageA(multi, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(Lists, ExchangeThroughTheBoundRecord) {
    char* items[] = {kRed, kGreen, kBlue, nullptr};
    char listText[32] = "unchanged", comboText[32] = "unchanged";
    VWLISTDATA listData = {7, listText, items}, comboData = {7, comboText, items};
    HWND list = List(1, 0, &listData);
    HWND combo = Combo(2, &comboData);
    EXPECT_EQ(SendMessageA(list, VWM_GETFIELDTYPE, 0, 0), 19);
    EXPECT_EQ(SendMessageA(combo, VWM_GETFIELDTYPE, 0, 0), 20);

    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(list, false), (std::vector<std::string>{"Red", "Green", "Blue"}));
    EXPECT_EQ(Items(combo, true).size(), 3u);
    // the list box adds with redrawing off; the combo box does not switch it
    std::vector<std::pair<HWND, WPARAM>> redraws;
    for (const LoggedMessage& m : g_log.entries())
        if (m.msg == WM_SETREDRAW) redraws.emplace_back(m.hWnd, m.wParam);
    EXPECT_EQ(redraws, (std::vector<std::pair<HWND, WPARAM>>{{list, FALSE}, {list, TRUE}}));

    // nothing selected: 65535 from a list box, -1 from a combo box; the
    // combo box reports what was typed
    SetWindowTextA(combo, "typed");
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

    // every transfer appends the items again; redrawing is switched back on
    // even when there is nothing to add
    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(list, false).size(), 6u);
    EXPECT_EQ(Items(combo, true).size(), 6u);
    listData.items = nullptr;
    g_log.clear();
    vwUpdateScreen(view.get());
    EXPECT_EQ(Items(list, false).size(), 6u);
    EXPECT_EQ(g_log.sequence({WM_SETREDRAW}), std::vector<UINT>{WM_SETREDRAW});

    // a combo box that is no field does not borrow another field's items
    HWND plain = CreateWindowA("combobox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 50, view->hWnd,
                               reinterpret_cast<HMENU>(55), Instance(), nullptr);
    DefComboBoxProc(plain, VWM_APPTOSCR, 0, 0);
    EXPECT_EQ(Items(plain, true).size(), 0u);
}

TEST_F(Lists, TabStopsAndColumnWidth) {
    List(1, LBS_USETABSTOPS);
    vwSetFieldString(view.get(), 1, "TABSTOPS(16,32,48)");
    EXPECT_EQ(g_tabStops, (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(g_tabAnswer, TRUE);
    vwSetFieldString(view.get(), 1, "@TABSTOPS()");  // the system's default stops
    EXPECT_TRUE(g_tabStops.empty());
    EXPECT_TRUE(g_log.contains(LB_SETTABSTOPS));
    std::string many = "@TABSTOPS(";
    for (int i = 1; i <= 45; ++i) many += std::to_string(i % 10) + (i < 45 ? "," : ")");
    vwSetFieldString(view.get(), 1, many.c_str());
    ASSERT_EQ(g_tabStops.size(), 41u);
    EXPECT_EQ(g_tabStops.back(), 1);
    g_log.clear();
    vwSetFieldString(view.get(), 1, "@3D");
    EXPECT_FALSE(g_log.contains(LB_SETTABSTOPS));

    // the column width is given in the view's dialog units
    HWND columns = List(2, LBS_MULTICOLUMN, nullptr, 120);
    Fill(columns, false);
    vwSetFieldString(view.get(), 2, "@COLWIDTH(40)");
    LONG expected[4] = {40, 0, 0, 0};
    vwMapDialogToScreen(view->hWnd, expected);
    RECT item = {};
    SendMessageA(columns, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.right - item.left, expected[0]);
}

namespace {

// A scratch directory with two text files, another file and a subdirectory.
struct ScratchDir {
    ScratchDir() {
        char tmp[MAX_PATH] = {};
        GetTempPathA(sizeof tmp, tmp);
        char name[MAX_PATH + 32] = {};
        std::snprintf(name, sizeof name, "%slists%lu", tmp, GetCurrentProcessId());
        path = name;
        CreateDirectoryA(path.c_str(), nullptr);
        CreateDirectoryA((path + "\\sub").c_str(), nullptr);
        for (const char* f : {"a.txt", "b.txt", "c.dat"}) {
            HANDLE h = CreateFileA((path + "\\" + f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(h);
        }
    }
    ~ScratchDir() {
        for (const char* f : {"a.txt", "b.txt", "c.dat"}) DeleteFileA((path + "\\" + f).c_str());
        RemoveDirectoryA((path + "\\sub").c_str());
        RemoveDirectoryA(path.c_str());
    }
    std::string path;
};

std::string CurrentDirectory() {
    char buf[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof buf, buf);
    return buf;
}

} // namespace

TEST_F(Lists, DirectoryListingsLeaveTheCurrentDirectory) {
    ScratchDir dir;
    const std::string before = CurrentDirectory();
    ASSERT_NE(before, dir.path);
    HWND list = List(1);
    vwSetFieldEx(view.get(), 7, "static", "keep", WS_VISIBLE, 0, 20, 260, 300, 14, nullptr, nullptr);
    HWND plain = CreateWindowA("static", "keep", WS_CHILD | WS_VISIBLE, 20, 280, 300, 14, view->hWnd,
                               reinterpret_cast<HMENU>(99), Instance(), nullptr);

    // a directory in the specification: the listing changes to it, the
    // field changes back
    std::string dirs = "@DIRLST(" + dir.path + "\\*.txt,7,0010)";
    vwSetFieldString(view.get(), 1, dirs.c_str());
    EXPECT_EQ(Sorted(list, false), (std::vector<std::string>{"[..]", "[sub]", "a.txt", "b.txt"}));
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_NE(TextOf(vwGetFieldWindow(view.get(), 7)), "keep");  // the static field shows the path

    // a static that is no field of the view is not written to
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    dirs = "@DIRLST(" + dir.path + "\\*.dat,99)";
    vwSetFieldString(view.get(), 1, dirs.c_str());
    EXPECT_EQ(Sorted(list, false), std::vector<std::string>{"c.dat"});
    EXPECT_EQ(TextOf(plain), "keep");

    // combo boxes: the defaults list plain files of the current directory
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path.c_str()));
    HWND combo = Combo(2);
    vwSetFieldString(view.get(), 2, "@DIRLST(*.txt)");
    EXPECT_EQ(Sorted(combo, true), (std::vector<std::string>{"a.txt", "b.txt"}));
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    vwSetFieldString(view.get(), 2, "@DIRLST(*.txt,0,0010)");
    EXPECT_EQ(Sorted(combo, true), (std::vector<std::string>{"[..]", "[sub]", "a.txt", "b.txt"}));
    SetCurrentDirectoryA(before.c_str());
}

TEST_F(Lists, ComboColourAnswer) {
    HWND combo = Combo(2);
    vwSetFieldColors(view.get(), 2, RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 0, 0), RGB(255, 255, 255));
    HBRUSH brush = vwGetFieldBackBrush(view.get(), 2);
    ASSERT_TRUE(brush);
    POINT origin = {0, 0};
    ClientToScreen(combo, &origin);
    ASSERT_NE(origin.x, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    for (UINT msg : {(UINT)WM_CTLCOLOREDIT, (UINT)WM_CTLCOLORLISTBOX, (UINT)VWM_CTLCOLOR}) {
        SetTextColor(dc, 0);
        SetBkColor(dc, 0);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        EXPECT_EQ(SendMessageA(combo, msg, reinterpret_cast<WPARAM>(dc), 0), reinterpret_cast<LRESULT>(brush)) << msg;
        EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0)) << msg;
        EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 200)) << msg;
        POINT org = {};
        GetBrushOrgEx(dc, &org);
        EXPECT_EQ(org.x, origin.x) << msg;
        EXPECT_EQ(org.y, origin.y) << msg;
    }
    EXPECT_NE(SendMessageA(combo, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0), reinterpret_cast<LRESULT>(brush));
    DeleteDC(dc);
}

TEST_F(Lists, TabStaysOutOfListsEnterClosesTheDropDown) {
    HWND list = List(1);
    char tabbed[] = "\tTabbed";
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tabbed));
    Fill(list, false);
    EXPECT_EQ(DefListBoxProc(list, WM_CHAR, '\t', 0), 0);
    EXPECT_EQ(Sel(list, false), -1);
    DefListBoxProc(list, WM_CHAR, 'b', 0);  // other characters still search the items
    EXPECT_EQ(Sel(list, false), 3);

    // without an edit part, so that only the combo box itself acts on the key
    HWND combo = Combo(2, nullptr, 90, CBS_DROPDOWNLIST);
    auto closes = [&](WPARAM key) {
        g_log.clear();
        DefComboBoxProc(combo, WM_KEYDOWN, key, 0);
        for (const LoggedMessage& m : g_log.entries())
            if (m.msg == CB_SHOWDROPDOWN && m.wParam == FALSE) return true;
        return false;
    };
    EXPECT_TRUE(closes(VK_RETURN));
    EXPECT_FALSE(closes('A'));
}

TEST_F(Lists, DraggingAnItemOutOfAList) {
    HWND list = List(1);
    Fill(list, false);
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM press = MAKELPARAM(item.left + 5, item.top + 2);
    EXPECT_EQ(SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, press), 0);
    EXPECT_EQ(Sel(list, false), 1);  // the list box saw the press first
    EXPECT_EQ(SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 40)), 0);
    EXPECT_TRUE(GetPropA(list, "@DRAGSRC"));
    EXPECT_EQ(Sel(list, false), 1);  // the move belongs to the drag, not to the selection
    EXPECT_EQ(SendMessageA(list, WM_LBUTTONUP, 0, press), 0);
    EXPECT_FALSE(GetPropA(list, "@DRAGSRC"));
}

TEST_F(Lists, FramesOfListsAndCombos) {
    // a list box without "@3D" has the client edge; a combo box has nothing
    RECT l = Repainted(List(1));
    EXPECT_EQ(At(l.left - 2, l.top + 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(l.left - 1, l.top + 5), GetSysColor(COLOR_3DDKSHADOW));
    RECT c = Repainted(Combo(2));
    EXPECT_EQ(At(c.left - 2, c.top + 5), RGB(255, 255, 255));
    EXPECT_EQ(At(c.left - 1, c.top + 5), RGB(255, 255, 255));
    // "@3D4" etches both
    vwSetFieldString(view.get(), 1, "@3D4");
    vwSetFieldString(view.get(), 2, "@3D4");
    for (HWND h : {vwGetFieldWindow(view.get(), 1), vwGetFieldWindow(view.get(), 2)}) {
        RECT r = Repainted(h);
        EXPECT_EQ(At(r.left - 2, r.top + 5), GetSysColor(COLOR_BTNSHADOW)) << ClassOf(h);
        EXPECT_EQ(At(r.left - 1, r.top + 5), RGB(255, 255, 255)) << ClassOf(h);
    }
}

namespace {
int g_acks = 0;
LRESULT CALLBACK DdeClient(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_ACK) {
        ++g_acks;
        GlobalDeleteAtom(LOWORD(l));
        GlobalDeleteAtom(HIWORD(l));
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}
} // namespace

TEST_F(Lists, ComboLinksEndWithNewDirectivesAndDestruction) {
    HWND combo = Combo(2);
    vwSetFieldString(view.get(), 2, "@SERVER(Shop,Prices,Milk)@DROPTARG");
    ASSERT_TRUE(GetPropA(combo, "SERVER1"));
    RegisterTestClass("ListsDdeClient", DdeClient);
    HWND client = CreateWindowA("ListsDdeClient", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    ATOM app = GlobalAddAtomA("Shop"), topic = GlobalAddAtomA("Prices");
    g_acks = 0;
    SendMessageA(combo, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client), MAKELPARAM(app, topic));
    EXPECT_EQ(g_acks, 1);
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(topic);
    DestroyWindow(client);

    vwSetFieldString(view.get(), 2, "@DROPTARG");  // the old link ends first
    EXPECT_FALSE(GetPropA(combo, "SERVER1"));

    HWND list = List(1);
    vwSetFieldString(view.get(), 1, "@DROPTARG");
    for (HWND h : {list, combo}) {
        g_dropAfterDestroy = INVALID_HANDLE_VALUE;
        DestroyWindow(h);
        EXPECT_EQ(g_dropAfterDestroy, nullptr);
    }
}
