// A shown view to put fields on.
#pragma once
#include <gtest/gtest.h>

#include "testapp.h"

namespace tstest {

struct FieldTest : ::testing::Test {
    void SetUp() override { Open(); }
    void Open(WNDPROC viewProc = nullptr) {
        view.reset(vwOpenView(Instance(), "fields", WS_POPUP | WS_VISIBLE, nullptr, viewProc, 0));
        ASSERT_TRUE(view);
        MoveWindow(view->hWnd, 0, 0, 400, 240, FALSE);
        vwShowView(view.get());
    }
    // A visible field at (x, y) in dialog units; its window.
    HWND Add(LONG id, const char* cls, DWORD style, int x, int y, int cx = 60, int cy = 12, void* var = nullptr,
             WNDPROC proc = nullptr) {
        vwSetFieldEx(view.get(), id, cls, "", style | WS_VISIBLE, 0, x, y, cx, cy, var, proc);
        return W(id);
    }
    HWND W(LONG id) const { return vwGetFieldWindow(view.get(), id); }
    void Dirs(LONG id, const char* directives) { vwSetFieldString(view.get(), id, directives); }
    ViewGuard view;
};

} // namespace tstest
