// Text fields: creation limits, mnemonics, fonts and deletion.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct TextFields : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "labels", WS_POPUP, nullptr, nullptr, 0));
        ASSERT_TRUE(view);
    }
    std::string Text(int n) {
        char buf[300] = {};
        vwGetTextFieldText(view.get(), n, buf, sizeof buf);
        return buf;
    }
    ViewGuard view;
};

} // namespace

TEST_F(TextFields, MnemonicIsTakenFromTheFirstAmpersand) {
    ASSERT_EQ(vwSetTextField(view.get(), 4, 4, "&Name:", nullptr), 1);
    EXPECT_STREQ(view->textFields[1]->text, "Name:");
    EXPECT_EQ(view->textFields[1]->mnemonic, 'N');
    EXPECT_EQ(view->textFields[1]->mnemonicPos, 0);
    EXPECT_EQ(Text(1), "&Name:");
    ASSERT_EQ(vwSetTextField(view.get(), 4, 20, "Fish && &Chips", nullptr), 2);
    EXPECT_STREQ(view->textFields[2]->text, "Fish & &Chips");
    EXPECT_EQ(view->textFields[2]->mnemonic, '&');
    EXPECT_EQ(Text(2), "Fish && &Chips");
    vwSetTextFieldText(view.get(), 2, "plain");
    EXPECT_EQ(view->textFields[2]->mnemonic, 0);
    EXPECT_EQ(Text(2), "plain");
}

TEST_F(TextFields, GetterCountsCharactersOfTheStoredText) {
    vwSetTextField(view.get(), 4, 4, "&Name:", nullptr);
    vwSetTextField(view.get(), 4, 20, "Plain", nullptr);
    vwSetTextField(view.get(), 4, 36, "Ab&c", nullptr);
    auto got = [this](int n, int size) {
        char buf[16];
        std::memset(buf, 'x', sizeof buf);
        vwGetTextFieldText(view.get(), n, buf, size);
        EXPECT_EQ(buf[size + 2], 'x') << n << " wrote past size + 2 bytes";
        return std::string(buf, strnlen(buf, sizeof buf));
    };
    EXPECT_EQ(got(1, 5), "&Name:");
    EXPECT_EQ(got(2, 5), "Plain");
    EXPECT_EQ(got(1, 3), "&Nam");
    EXPECT_EQ(got(2, 3), "Pla");
    EXPECT_EQ(got(3, 2), "Ab");  // cut before the mnemonic character: no '&'
    EXPECT_EQ(got(3, 3), "Ab&c");
}

TEST_F(TextFields, LimitsOfTextAndCount) {
    MessageBoxCapture boxes;
    std::string longText(300, 'a');
    ASSERT_EQ(vwSetTextField(view.get(), 0, 0, longText.c_str(), nullptr), 1);
    EXPECT_EQ(Text(1).size(), 255u);
    vwSetTextFieldText(view.get(), 1, longText.c_str());
    EXPECT_EQ(Text(1).size(), 254u);
    for (int n = 2; n <= 100; ++n) ASSERT_EQ(vwSetTextField(view.get(), 0, n, "x", nullptr), n);
    EXPECT_EQ(vwSetTextField(view.get(), 0, 0, "x", nullptr), 0);
    EXPECT_EQ(vwGetTextFieldCount(view.get()), 100);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "System Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Tessarine unable to allocate additional text field");
}

TEST_F(TextFields, CentredPositionsHidingAndDeletion) {
    vwSetTextField(view.get(), -1, 0xFFFF, "one", nullptr);
    vwSetTextField(view.get(), 8, 8, "two", nullptr);
    vwSetTextField(view.get(), 8, 16, "three", nullptr);
    EXPECT_EQ(vwGetTextFieldXPos(view.get(), 1), -1);
    EXPECT_EQ(vwGetTextFieldYPos(view.get(), 1), -1);
    EXPECT_GT(vwGetTextFieldXPos(view.get(), 2), 0);
    vwSetTextFieldLink(view.get(), 3, 77);
    EXPECT_EQ(vwHideTextField(view.get(), 2, TRUE), 1);
    EXPECT_EQ(vwUnhideTextField(view.get(), 2, TRUE), -2);
    EXPECT_EQ(vwUnhideTextField(view.get(), 2, TRUE), -1);
    EXPECT_EQ(vwDeleteTextField(view.get(), 1), 1);
    EXPECT_EQ(vwGetTextFieldCount(view.get()), 2);
    EXPECT_EQ(Text(1), "two");
    EXPECT_EQ(vwGetTextFieldLink(view.get(), 2), 77);
}

TEST_F(TextFields, LoaderFontsAreOwnedApplicationFontsAreNot) {
    HFONT app = CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT made = CreateFontA(-14, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    vwSetTextField(view.get(), 0, 0, "a", app);
    EXPECT_EQ(vwGetTextFieldFont(view.get(), 1), app);
    vwSetTextFieldFont(view.get(), 1, made);
    view->textFields[1]->ownsFont = 1;
    EXPECT_NE(GetObjectType(app), 0u);
    vwSetTextFieldFont(view.get(), 1, app);
    EXPECT_EQ(GetObjectType(made), 0u);
    EXPECT_EQ(view->textFields[1]->ownsFont, 0);
    COLORREF t, b;
    EXPECT_EQ(vwGetTextFieldColors(view.get(), 1, &t, &b), 0);
    EXPECT_EQ(t, view->textColor);
    view.reset();
    EXPECT_NE(GetObjectType(app), 0u);
    DeleteObject(app);
}

TEST_F(TextFields, TheViewPaintsThemInTheirColours) {
    MoveWindow(view->hWnd, 10, 10, 240, 120, FALSE);
    vwSetViewBackBrush(view.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    vwSetTextField(view.get(), 4, 4, "MMMM", nullptr);
    vwSetTextFieldColors(view.get(), 1, RGB(0, 0, 0), RGB(255, 0, 0));
    vwSetTextField(view.get(), -1, -1, "WWWW", nullptr);
    vwSetTextFieldColors(view.get(), 2, RGB(0, 0, 0), RGB(0, 255, 0));
    vwSetTextField(view.get(), 4, 40, "HHHH", nullptr);
    vwSetTextFieldColors(view.get(), 3, RGB(0, 0, 0), RGB(0, 0, 255));
    vwHideTextField(view.get(), 3, FALSE);
    ShowWindow(view->hWnd, SW_SHOWNA);
    UpdateWindow(view->hWnd);
    HDC dc = GetDC(view->hWnd);
    const int x1 = vwGetTextFieldXPos(view.get(), 1), y1 = vwGetTextFieldYPos(view.get(), 1);
    EXPECT_EQ(GetPixel(dc, x1, y1), RGB(255, 0, 0));
    RECT client;
    GetClientRect(view->hWnd, &client);
    // the centred label starts half its extent before the middle
    SIZE ext;
    GetTextExtentPoint32A(dc, "WWWW", 4, &ext);
    EXPECT_EQ(GetPixel(dc, (client.right - ext.cx) / 2, (client.bottom - ext.cy) / 2), RGB(0, 255, 0));
    EXPECT_NE(GetPixel(dc, (client.right - ext.cx) / 2 - 2, (client.bottom - ext.cy) / 2), RGB(0, 255, 0));
    // the hidden one is not drawn: the view's background shows
    EXPECT_EQ(GetPixel(dc, vwGetTextFieldXPos(view.get(), 3), vwGetTextFieldYPos(view.get(), 3)), RGB(255, 255, 255));
    ReleaseDC(view->hWnd, dc);
}
