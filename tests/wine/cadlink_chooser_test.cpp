// The editor chooser with no, one and two editor stand-ins running: what it
// lists, whom it chooses by itself, and the operator's double click.
#include <gtest/gtest.h>

#include "cadlink/chooser_win.h"
#include "cadlink_fixture.h"

namespace {

using cadlink_test::control;
using cadlink_test::line;
using cadlink_test::quoted;
using cadlink_test::Standin;
using Lines = std::vector<std::wstring>;

struct ChooserFixture : testing::Test {
  void SetUp() override { ASSERT_TRUE(form.create()); }
  // Pumps the test's messages until the chooser hides itself or `ms` pass.
  bool pumpUntilHidden(DWORD ms) {
    return harness::waitFor(
        [&] {
          MSG m;
          while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
          return !form.visible();
        },
        ms);
  }
  // Handles what the test's thread has queued: a chooser that hides itself
  // posts its reason there when it is shown.
  void drainQueue() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  }
  std::vector<std::wstring> entries() const {
    std::vector<std::wstring> out;
    const LRESULT n = SendMessageW(form.listBox(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t buf[512] = {};
      SendMessageW(form.listBox(), LB_GETTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(buf));
      out.push_back(buf);
    }
    return out;
  }
  void doubleClick() {
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(100, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(form.listBox()));
  }
  cadlink::EditorLink link;
  cadlink::EditorChooser form{link};
};

TEST_F(ChooserFixture, CaptionAndClientArea) {
  EXPECT_EQ(harness::textOf(form.hwnd()), L"Выберите окно(двойной клик)!");
  RECT r{};
  GetClientRect(form.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 580);
  EXPECT_EQ(r.bottom - r.top, 341);
  EXPECT_FALSE(form.visible());
}

TEST_F(ChooserFixture, NoEditorHidesItselfAndLeavesNoChoice) {
  form.showListed();
  EXPECT_TRUE(entries().empty());
  EXPECT_TRUE(pumpUntilHidden(5000));
  EXPECT_EQ(link.editorWindow, 0u);
}

TEST_F(ChooserFixture, OneEditorIsChosenWithoutTheOperator) {
  Standin editor(L"chooser-one", L"--version 2004");
  form.showListed();
  EXPECT_EQ(link.editorWindow, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(editor.main())));
  EXPECT_EQ(entries(), Lines{L"P-CAD 2004 PCB - [test-board.pcb] 2004_215"});
  EXPECT_TRUE(pumpUntilHidden(5000));
  // Title read, build window opened, its build read once, closed with WM_CLOSE.
  EXPECT_JOURNAL(
      editor.lines(),
      (Lines{line(L"main", L"WM_GETTEXT", L"127", L"addr"), line(L"main", L"WM_COMMAND", 32927, 0),
             line(control(L"P-CAD 2004 PCB", 1287), L"WM_GETTEXT", L"127", L"addr"),
             line(quoted(L"P-CAD 2004 PCB"), L"WM_CLOSE", 0, 0)}));
}

TEST_F(ChooserFixture, UnknownVersionIsListedWithBuildMinusOne) {
  Standin editor(L"chooser-2001", L"--version 2001");
  form.showListed();
  ASSERT_EQ(entries().size(), 1u);
  const std::wstring entry = entries()[0];
  EXPECT_EQ(entry.substr(entry.size() - 8), L" 2001_-1");
  EXPECT_JOURNAL(editor.lines(), (Lines{line(L"main", L"WM_GETTEXT", L"127", L"addr")}));
}

TEST_F(ChooserFixture, TwoEditorsWaitForTheOperatorsDoubleClick) {
  Standin first(L"chooser-first", L"--version 2002 --title-suffix A");
  Standin second(L"chooser-second", L"--version 2006 --title-suffix B");
  form.showListed();
  const std::vector<HWND>& c = form.candidates();
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(link.editorWindow, 0u);
  // Entries and candidates are in the same order.
  const Lines e = entries();
  ASSERT_EQ(e.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const bool isFirst = c[i] == first.main();
    EXPECT_TRUE(isFirst || c[i] == second.main());
    EXPECT_EQ(e[i], isFirst ? L"P-CAD 2002 PCB - [test-board.pcb] A 2002_101"
                            : L"P-CAD 2006 PCB - [test-board.pcb] B 2006_437");
  }
  // nothing set to hide it: no hiding timer (id 1), nothing queued
  EXPECT_FALSE(KillTimer(form.hwnd(), 1));
  drainQueue();
  EXPECT_TRUE(form.visible());

  // Nothing selected: the double click changes nothing.
  SendMessageW(form.listBox(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  doubleClick();
  EXPECT_TRUE(form.visible());
  EXPECT_EQ(link.editorWindow, 0u);

  SendMessageW(form.listBox(), LB_SETCURSEL, 1, 0);
  doubleClick();
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(link.editorWindow, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(c[1])));
}

TEST_F(ChooserFixture, TitleThatIsNotANumberIsStillListed) {
  // A window of the editor's class whose title has no version: listed with
  // -1 instead of ending the listing.
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ACCEL PCB";
  RegisterClassW(&wc);
  HWND fake = CreateWindowExW(0, L"ACCEL PCB", L"Editor without a version", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(fake, nullptr);
  form.showListed();
  EXPECT_EQ(entries(), Lines{L"Editor without a version -1_-1"});
  DestroyWindow(fake);
  UnregisterClassW(L"ACCEL PCB", GetModuleHandleW(nullptr));
}

}  // namespace
