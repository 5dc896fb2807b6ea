// The main window created in the test's own process, where its menu can be
// read: the detached state greys the editor commands, and the shortcuts
// reach the commands of the menu table.
#include <gtest/gtest.h>

#include "tavrolin/about_box_win.h"
#include "tavrolin/main_window_win.h"
#include "harness.h"

namespace {

bool greyed(HMENU bar, const std::wstring& caption) {
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU sub = GetSubMenu(bar, i);
    for (int j = 0; j < GetMenuItemCount(sub); ++j) {
      wchar_t text[128] = {};
      GetMenuStringW(sub, static_cast<UINT>(j), text, 128, MF_BYPOSITION);
      std::wstring item(text);
      if (item.substr(0, item.find(L'\t')) == caption) {
        return (GetMenuState(sub, static_cast<UINT>(j), MF_BYPOSITION) & MF_GRAYED) != 0;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << harness::narrow(caption);
  return false;
}

// The menu as the operator sees it: captions with their shortcuts.
std::vector<std::wstring> menuTexts(HMENU bar) {
  std::vector<std::wstring> out;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    out.push_back(std::wstring(L"[") + text + L"]");
    HMENU sub = GetSubMenu(bar, i);
    for (int j = 0; j < GetMenuItemCount(sub); ++j) {
      GetMenuStringW(sub, static_cast<UINT>(j), text, 128, MF_BYPOSITION);
      out.push_back(text[0] ? text : L"-");
    }
  }
  return out;
}

TEST(MainWindow, MenuTableAndDetachedState) {
  app::MainWindow form;
  ASSERT_TRUE(form.create());
  HMENU bar = GetMenu(form.hwnd());
  const std::vector<std::wstring> expected = {L"[Файл]",
                                              L"Просмотр\tCtrl+R",
                                              L"-",
                                              L"Выход\tCtrl+X",
                                              L"[Параметры]",
                                              L"Оффсет\tCtrl+F",
                                              L"SolderMaskSwell\tCtrl+S",
                                              L"Plane Swell\tCtrl+P",
                                              L"Draw Aperture Size\tCtrl+A",
                                              L"-",
                                              L"Настройки\tCtrl+O",
                                              L"-",
                                              L"Сбросить выбор слоёв",
                                              L"[О программе]",
                                              L"Описание",
                                              L"-",
                                              L"О программе"};
  EXPECT_EQ(menuTexts(bar), expected);

  const wchar_t* const needEditor[] = {L"Оффсет", L"SolderMaskSwell", L"Plane Swell",
                                       L"Draw Aperture Size", L"Сбросить выбор слоёв"};
  for (const wchar_t* item : needEditor) EXPECT_FALSE(greyed(bar, item));
  EXPECT_TRUE(greyed(bar, L"Просмотр")) << "nothing exported yet";
  form.setDetached();
  for (const wchar_t* item : needEditor) {
    EXPECT_TRUE(greyed(bar, item)) << harness::narrow(item);
  }
  for (const wchar_t* item : {L"Выход", L"Настройки", L"Описание", L"О программе"}) {
    EXPECT_FALSE(greyed(bar, item)) << harness::narrow(item);
  }
  EXPECT_TRUE(IsWindowEnabled(harness::findChild(form.hwnd(), L"Button", L"MM")));
  EXPECT_TRUE(IsWindowEnabled(harness::findChild(form.hwnd(), L"Button", L"Inch")));
}

TEST(MainWindow, SizesAndMinimum) {
  app::MainWindow form;
  ASSERT_TRUE(form.create());
  RECT rc;
  GetClientRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right, 736);
  // the menu may wrap on narrow screens; the client height is set with it
  EXPECT_NEAR(rc.bottom, 495, 20);
  SetWindowPos(form.hwnd(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT wr;
  GetWindowRect(form.hwnd(), &wr);
  EXPECT_GE(wr.right - wr.left, 740);
  EXPECT_GE(wr.bottom - wr.top, 415);
}

}  // namespace
