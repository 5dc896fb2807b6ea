// The program on screens of 96, 144 and 192 DPI (the prefix's LogPixels),
// attached to the stand-in: the main window, the settings dialog and the
// about box grow with the DPI, every control's text fits the control, and
// no two controls of a band or a dialog page overlap.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cadlink_fixture.h"
#include "harness.h"
#include "program_fixture.h"
#include "repo_paths.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCmdSettings = 106;
constexpr int kCmdAbout = 108;

// The DPI of the programs started while it lives; the value before comes back after.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  }
  ~ScreenDpi() {
    if (hadValue_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadValue_ = false;
};

struct Control {
  HWND hwnd;
  std::wstring cls, text;
  DWORD style;
  RECT rect;  // in the parent's client coordinates
};

std::vector<Control> childrenOf(HWND parent) {
  std::vector<Control> out;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 63);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    out.push_back(
        {w, cls, harness::textOf(w), static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)), r});
  }
  return out;
}

bool isGroupBox(const Control& c) {
  return _wcsicmp(c.cls.c_str(), L"Button") == 0 && (c.style & 0xF) == BS_GROUPBOX;
}

// The room a control leaves its text at `dpi`, or -1 when its text is not
// laid out by the program (edits, tabs, paths that shorten themselves).
int roomForText(const Control& c, int dpi) {
  const int width = c.rect.right - c.rect.left;
  if (_wcsicmp(c.cls.c_str(), L"Static") == 0) return (c.style & SS_PATHELLIPSIS) ? -1 : width;
  if (_wcsicmp(c.cls.c_str(), L"Button") != 0) return -1;
  switch (c.style & 0xF) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return width - MulDiv(6, dpi, 96);
    default:  // the box or circle, the group box's corners
      return width - MulDiv(16, dpi, 96);
  }
}

int textWidth(const std::wstring& text, int dpi) {
  HFONT font = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return size.cx;
}

// Every text fits its control, every control lies in the window, and no two
// controls of `group` overlap (group boxes hold others and are left out).
void expectLaidOut(const std::vector<Control>& group, HWND window, int dpi, const char* what) {
  RECT client;
  GetClientRect(window, &client);
  for (size_t i = 0; i < group.size(); ++i) {
    const Control& a = group[i];
    SCOPED_TRACE(std::string(what) + ": " + harness::narrow(a.cls) + " \"" +
                 harness::narrow(a.text) + "\"");
    const int room = roomForText(a, dpi);
    if (room >= 0 && !a.text.empty()) {
      EXPECT_LE(textWidth(a.text, dpi), room);
      EXPECT_LE(a.rect.right, client.right);
      EXPECT_LE(a.rect.bottom, client.bottom);
    }
    if (isGroupBox(a) || a.cls == UPDOWN_CLASSW) continue;  // an up-down joins its field
    for (size_t j = i + 1; j < group.size(); ++j) {
      const Control& b = group[j];
      RECT both;
      if (!isGroupBox(b) && b.cls != UPDOWN_CLASSW) {
        EXPECT_FALSE(IntersectRect(&both, &a.rect, &b.rect))
            << "[" << a.rect.left << "," << a.rect.right << "] overlaps " << harness::narrow(b.cls)
            << " \"" << harness::narrow(b.text) << "\" [" << b.rect.left << "," << b.rect.right
            << "]";
      }
    }
  }
}

int clientWidth(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  return r.right;
}

class DisplayScaling : public ::testing::TestWithParam<int> {};

TEST_P(DisplayScaling, MainWindowSettingsAndAboutBoxScaleAndFit) {
  const int dpi = GetParam();
  const auto at = [dpi](int size96) { return MulDiv(size96, dpi, 96); };
  ScreenDpi screen(static_cast<DWORD>(dpi));
  const std::wstring name = L"scaling-" + std::to_wstring(dpi);
  const fs::path dir = harness::copyProgram(name);
  cadlink_test::Standin editor(harness::boardsDir() / L"four-layer.brd", name + L"-editor", L"");
  ASSERT_NE(editor.main(), nullptr);
  program_test::Program p =
      program_test::startProgram(dir, L"-h " + program_test::handleArg(editor.main()));
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));
  ASSERT_TRUE(harness::waitFor([&] { return !program_test::exportBoxes(p.main).empty(); }, 20000));

  // The main window as wide as at 96 DPI scaled. The test's screen is
  // narrower than a real one of 192 DPI, where the window is as wide as the
  // screen lets it be; its bands are compared where it has its full width.
  EXPECT_GE(clientWidth(p.main), std::min(at(736), GetSystemMetrics(SM_CXSCREEN) - 40));
  RECT frame, client;
  GetWindowRect(p.main, &frame);
  GetClientRect(p.main, &client);
  SetWindowPos(p.main, nullptr, 0, 0, frame.right - frame.left - client.right + at(736),
               frame.bottom - frame.top - client.bottom + at(495), SWP_NOZORDER | SWP_NOACTIVATE);
  const bool fullWidth = harness::waitFor([&] { return clientWidth(p.main) == at(736); }, 2000);
  std::vector<Control> top, bottom;
  RECT grid{};
  for (const Control& c : childrenOf(p.main)) {
    if (c.cls == L"TavrolinGrid") grid = c.rect;
  }
  ASSERT_GT(grid.bottom, 0);
  EXPECT_EQ(grid.top, at(49));
  for (const Control& c : childrenOf(p.main)) {
    if (c.rect.bottom <= grid.top) top.push_back(c);
    // The first row of the bottom band holds three captions with their
    // values, more than the room left of the "Экспорт" area at the window's
    // first width even at 96 DPI: that row runs under the button at every
    // DPI alike, and the button is left out of the comparison.
    if (c.rect.top >= grid.bottom && c.text != L"Экспорт") bottom.push_back(c);
  }
  EXPECT_GE(top.size(), 6u);
  EXPECT_GE(bottom.size(), 14u);
  if (fullWidth || dpi <= 144) {
    expectLaidOut(top, p.main, dpi, "top band");
    expectLaidOut(bottom, p.main, dpi, "bottom band");
  }
  // the table's check boxes as large as their rows allow, rows apart
  const std::vector<HWND> boxes = program_test::exportBoxes(p.main);
  ASSERT_GE(boxes.size(), 2u);
  RECT first, second;
  GetWindowRect(boxes[0], &first);
  GetWindowRect(boxes[1], &second);
  EXPECT_EQ(first.bottom - first.top, at(15));
  EXPECT_EQ(second.top - first.top, at(22));

  PostMessageW(p.main, WM_COMMAND, kCmdSettings, 0);
  HWND settings = nullptr;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        settings = harness::findWindowOf(p.process.pid(), L"Настройки", L"TForm11");
        return settings && IsWindowVisible(settings);
      },
      10000));
  EXPECT_EQ(clientWidth(settings), at(643));
  // the page shown and the page behind it, each on its own
  std::vector<Control> shown, behind;
  for (const Control& c : childrenOf(settings)) {
    if (c.cls == WC_TABCONTROLW) continue;
    (c.style & WS_VISIBLE ? shown : behind).push_back(c);
  }
  expectLaidOut(shown, settings, dpi, "settings, first page");
  expectLaidOut(behind, settings, dpi, "settings, second page");
  PostMessageW(settings, WM_CLOSE, 0, 0);

  PostMessageW(p.main, WM_COMMAND, kCmdAbout, 0);
  HWND about = nullptr;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        about = harness::findWindowOf(p.process.pid(), L"О программе", L"TForm3");
        return about && IsWindowVisible(about);
      },
      10000));
  EXPECT_EQ(clientWidth(about), at(264));
  expectLaidOut(childrenOf(about), about, dpi, "about box");
  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(10000));
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScaling, ::testing::Values(96, 144, 192));

}  // namespace
