// Start-up of tavrolin.exe without an editor, observed through window
// messages only: the splash comes first and the main window waits for its
// "Ok"; then the main window comes up detached.
#include <gtest/gtest.h>

#include "harness.h"
#include "program_launch.h"

namespace {

constexpr int kIdBoardTypeCode = 1001;
constexpr int kIdBindToType = 1002;
constexpr int kIdViasCoveredByMask = 1003;

struct Started {
  harness::Process process;
  HWND about = nullptr;
  HWND main = nullptr;
};

// Starts a copy of the program and waits for its splash; the main window is
// created at start, hidden.
Started startProgram(const std::wstring& name) {
  harness::Tavrolin t = harness::launchTavrolin(harness::copyProgram(name), L"");
  Started s;
  s.process = std::move(t.process);
  s.about = t.splash;
  if (s.process.started())
    s.main = harness::findWindowOf(s.process.pid(), L"", harness::kMainClass);
  return s;
}

TEST(Startup, SplashFirstThenDetachedMainWindow) {
  Started s = startProgram(L"startup_detached");
  ASSERT_TRUE(s.process.started());
  ASSERT_NE(s.about, nullptr) << "the about box never showed";
  ASSERT_NE(s.main, nullptr) << "the main window is created at start";
  // the main window stays hidden while the splash waits for its "Ok": the
  // splash answers, so the program is in that wait
  EXPECT_TRUE(harness::roundTrip(s.about));
  EXPECT_TRUE(IsWindowVisible(s.about));
  EXPECT_FALSE(IsWindowVisible(s.main));
  EXPECT_EQ(harness::textOf(harness::findChild(s.about, L"Static", L"Tavrolin 1.3")),
            L"Tavrolin 1.3");

  HWND ok = harness::findChild(s.about, L"Button", L"Ok");
  ASSERT_NE(ok, nullptr);
  SendMessageW(ok, BM_CLICK, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(s.main) != FALSE; }, 15000));
  EXPECT_FALSE(IsWindowVisible(s.about));

  EXPECT_EQ(harness::textOf(s.main), L"Tavrolin 1.3");
  HWND exportButton = harness::findChild(s.main, L"Button", L"Экспорт");
  ASSERT_NE(exportButton, nullptr);
  EXPECT_FALSE(IsWindowEnabled(exportButton));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(s.main, kIdBoardTypeCode)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(s.main, kIdBindToType)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(s.main, kIdViasCoveredByMask)));
  // the two switches are ticked when the window opens
  EXPECT_EQ(SendMessageW(GetDlgItem(s.main, kIdBindToType), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(s.main, kIdViasCoveredByMask), BM_GETCHECK, 0, 0), BST_CHECKED);
  // the export units start at "MM"
  EXPECT_EQ(SendMessageW(harness::findChild(s.main, L"Button", L"MM"), BM_GETCHECK, 0, 0),
            BST_CHECKED);

  // (the greyed menu items are checked in-process: Wine does not share menu
  // handles between processes)
  // "Выход" (Ctrl+X) ends the program
  SetForegroundWindow(s.main);
  PostMessageW(s.main, WM_COMMAND, 101, 0);
  EXPECT_TRUE(s.process.wait(10000));
}

TEST(Startup, AboutBoxFromTheMenuDoesNotWait) {
  Started s = startProgram(L"startup_about");
  ASSERT_NE(s.about, nullptr);
  SendMessageW(harness::findChild(s.about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(s.main) != FALSE; }, 15000));
  PostMessageW(s.main, WM_COMMAND, 108, 0);  // "О программе"
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(s.about) != FALSE; }, 5000));
  // the main window goes on working while the box is open
  EXPECT_EQ(harness::textOf(s.main), L"Tavrolin 1.3");
  DWORD_PTR r = 0;  // again, handled when the call returns: nothing changes
  EXPECT_TRUE(SendMessageTimeoutW(s.main, WM_COMMAND, 108, 0, SMTO_NORMAL, 10000, &r));
  EXPECT_TRUE(IsWindowVisible(s.about));
  SendMessageW(harness::findChild(s.about, L"Button", L"Ok"), BM_CLICK, 0, 0);
  EXPECT_TRUE(harness::waitFor([&] { return !IsWindowVisible(s.about); }, 5000));
  PostMessageW(s.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(s.process.wait(10000));
}

}  // namespace
