// The settings dialog and the board parameter dialogs. The settings dialog
// is worked through window messages on the real tavrolin.exe and read back
// from its main.ini; the parameter dialogs and the menu commands that wait
// for them run in this process against the editor stand-in, whose journal
// shows what reached the editor.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "tavrolin/app_paths_win.h"
#include "tavrolin/main_window_win.h"
#include "base/encoding.h"
#include "cadlink/board_params_win.h"
#include "cadlink_fixture.h"
#include "dialogs/offset_dialog_win.h"
#include "dialogs/param_dialog_win.h"
#include "dialogs/settings_dialog_win.h"
#include "harness.h"
#include "program_launch.h"

namespace fs = std::filesystem;

namespace {

using app::MainWindow;
using namespace dialogs;

constexpr int kCmdSettings = 106;

// main.ini as the program ships it: UTF-16LE with its byte-order mark.
std::wstring readIni(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return L"<not UTF-16>";
  return base::fromUtf16Le(std::string_view(bytes).substr(2));
}

void writeIni(const fs::path& path, const std::wstring& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "\xFF\xFE" << base::toUtf16Le(text);
}

// Replaces the one line that is exactly `from`.
std::wstring replaceLine(std::wstring text, const std::wstring& from, const std::wstring& to) {
  const std::wstring needle = L"\r\n" + from + L"\r\n";
  size_t at = (L"\r\n" + text).find(needle);
  EXPECT_NE(at, std::wstring::npos) << harness::narrow(from);
  if (at != std::wstring::npos) text.replace(at, from.size(), to);
  return text;
}

bool checked(HWND w) { return SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Starts the copy, presses "Ok" of the splash and waits for the main window.
harness::Tavrolin startDetached(const fs::path& dir) { return harness::startTavrolin(dir, L""); }

// "Настройки" from the menu; the dialog once it is visible, or null.
HWND openSettings(const harness::Tavrolin& program) {
  PostMessageW(program.main, WM_COMMAND, kCmdSettings, 0);
  HWND dialog = nullptr;
  harness::waitFor(
      [&] {
        dialog = harness::findWindowOf(program.process.pid(), L"Настройки", L"TForm11");
        return dialog && IsWindowVisible(dialog);
      },
      10000);
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

TEST(SettingsDialog, RoundTripKeepsForeignKeysAndTheLayerList) {
  const fs::path dir = harness::copyProgram(L"dialogs_settings");
  const fs::path ini = dir / L"main.ini";
  const fs::path output = dir / L"Выход";
  fs::create_directories(output);
  std::wstring before = readIni(ini);
  ASSERT_NE(before.find(L"[layers]"), std::wstring::npos);
  before = replaceLine(before, L"dw=10", L"dw=25");
  before = replaceLine(before, L"autoclose=0", L"autoclose=0\r\ntheme=dark");
  before = replaceLine(before, L"errcheck=2", L"errcheck=7");
  before += L"[other]\r\nx=1\r\n";
  writeIni(ini, before);

  harness::Tavrolin program = startDetached(dir);
  ASSERT_NE(program.main, nullptr) << "the main window never came up";
  HWND dialog = openSettings(program);
  ASSERT_NE(dialog, nullptr);
  auto item = [&](int id) { return GetDlgItem(dialog, id); };

  // loaded from the file: the delay, the clamped error choice, the defaults
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdWindowDelay)), L"25");
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdControlDelay)), L"10");
  EXPECT_TRUE(checked(item(SettingsDialog::kIdOnErrorAsk)));
  EXPECT_FALSE(checked(item(SettingsDialog::kIdOnErrorContinue)));
  EXPECT_TRUE(checked(item(SettingsDialog::kIdOutputToDesignDir)));
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdOtherDirPath)), L"");
  EXPECT_TRUE(checked(item(SettingsDialog::kIdAutoSolderMaskSwell)));
  EXPECT_FALSE(checked(item(SettingsDialog::kIdAutoClose)));

  // the operator's edits
  SendMessageW(item(SettingsDialog::kIdWindowDelay), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"250"));
  SendMessageW(item(SettingsDialog::kIdOutputToDesignDir), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(item(SettingsDialog::kIdOutputToOtherDir), BM_SETCHECK, BST_CHECKED, 0);
  const std::wstring outputText = output.wstring();
  SendMessageW(item(SettingsDialog::kIdOtherDirPath), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(outputText.c_str()));
  // "Настройки" again while open: nothing is reloaded
  SendMessageW(program.main, WM_COMMAND, kCmdSettings, 0);
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdWindowDelay)), L"250");

  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !IsWindowVisible(dialog); }, 10000));

  std::wstring expected = replaceLine(before, L"dw=25", L"dw=250");
  expected = replaceLine(expected, L"dir=", L"dir=" + outputText);
  expected = replaceLine(expected, L"errcheck=7", L"errcheck=2");
  EXPECT_EQ(harness::narrow(readIni(ini)), harness::narrow(expected));

  // shown again: loaded afresh, with the directory that was stored
  SendMessageW(item(SettingsDialog::kIdWindowDelay), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1"));
  PostMessageW(program.main, WM_COMMAND, kCmdSettings, 0);
  ASSERT_TRUE(harness::waitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 10000));
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdWindowDelay)), L"250");
  EXPECT_TRUE(checked(item(SettingsDialog::kIdOutputToOtherDir)));
  EXPECT_EQ(harness::textOf(item(SettingsDialog::kIdOtherDirPath)), outputText);

  PostMessageW(program.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.process.wait(10000));
}

TEST(SettingsDialog, ReadOnlySettingsFileIsReportedAndTheDialogStillHides) {
  const fs::path dir = harness::copyProgram(L"dialogs_readonly");
  const fs::path ini = dir / L"main.ini";
  const std::wstring before = readIni(ini);
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_READONLY);

  harness::Tavrolin program = startDetached(dir);
  ASSERT_NE(program.main, nullptr);
  HWND dialog = openSettings(program);
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, SettingsDialog::kIdWindowDelay), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"77"));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  // the error box names the setting that could not be saved
  HWND box = nullptr;
  ASSERT_TRUE(harness::waitFor(
      [&] {
        box = harness::findWindowOf(program.process.pid(), L"Tavrolin", L"#32770");
        return box && IsWindowVisible(box);
      },
      10000))
      << "the failed save was not reported";
  bool named = false;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (harness::textOf(c).rfind(L"Не удалось сохранить настройку «dir»", 0) == 0) named = true;
  }
  EXPECT_TRUE(named);
  EXPECT_FALSE(IsWindowVisible(dialog));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !IsWindow(box); }, 10000));
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readIni(ini), before);

  PostMessageW(program.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.process.wait(10000));
}

// The main window closes while the dialog is open (its close button, "Выход",
// or the automatic close after an export, which closes it the same way): the
// edits are saved as the dialog's own close would save them.
TEST(SettingsDialog, EditsAreKeptWhenTheProgramClosesWithTheDialogOpen) {
  struct Way {
    const wchar_t* name;
    UINT msg;
    WPARAM wp;
  } const ways[] = {{L"close", WM_CLOSE, 0}, {L"exit", WM_COMMAND, MainWindow::kCmdExit}};
  for (const Way& way : ways) {
    SCOPED_TRACE(harness::narrow(way.name));
    const fs::path dir = harness::copyProgram(std::wstring(L"dialogs_settings_") + way.name);
    const fs::path ini = dir / L"main.ini";
    harness::Tavrolin program = startDetached(dir);
    ASSERT_NE(program.main, nullptr);
    HWND dialog = openSettings(program);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, SettingsDialog::kIdWindowDelay), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"77"));
    SendMessageW(GetDlgItem(dialog, SettingsDialog::kIdOnErrorAsk), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(GetDlgItem(dialog, SettingsDialog::kIdOnErrorStop), BM_SETCHECK, BST_CHECKED, 0);

    PostMessageW(program.main, way.msg, way.wp, 0);
    ASSERT_TRUE(program.process.wait(10000));
    const std::wstring saved = readIni(ini);
    EXPECT_NE(saved.find(L"\r\ndw=77\r\n"), std::wstring::npos) << harness::narrow(saved);
    EXPECT_NE(saved.find(L"\r\nerrcheck=1\r\n"), std::wstring::npos);
  }
}

TEST(SettingsDialog, SizesTabsAndTheTabKeptBetweenOpenings) {
  SettingsDialog form;
  ASSERT_TRUE(form.create(nullptr, app::mainIniPath()));
  RECT rc;
  GetClientRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right, 643);
  EXPECT_EQ(rc.bottom, 404);
  EXPECT_EQ(harness::textOf(form.hwnd()), L"Настройки");
  // a dialog frame, not a tool window like the small dialogs
  EXPECT_TRUE(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  HWND tabs = GetDlgItem(form.hwnd(), SettingsDialog::kIdTabs);
  HWND dw = GetDlgItem(form.hwnd(), SettingsDialog::kIdWindowDelay);
  HWND sms = GetDlgItem(form.hwnd(), SettingsDialog::kIdSolderMaskSwell);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(GetWindowLongW(dw, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(sms, GWL_STYLE) & WS_VISIBLE);

  // the operator picks "P-Cad"
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change{tabs, static_cast<UINT_PTR>(SettingsDialog::kIdTabs),
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form.hwnd(), WM_NOTIFY, SettingsDialog::kIdTabs, reinterpret_cast<LPARAM>(&change));
  EXPECT_FALSE(GetWindowLongW(dw, GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongW(sms, GWL_STYLE) & WS_VISIBLE);
  for (const wchar_t* text :
       {L"Gerber", L"Директория с файлом", L"Другая директория", L"Продолжить выполнение",
        L"Остановить выполнение", L"Задать вопрос", L"  \"Чистить\" гербера ?"}) {
    HWND button = harness::findChild(form.hwnd(), L"Button", text);
    EXPECT_NE(button, nullptr) << harness::narrow(text);
  }
  // shown and hidden again (without closing, which would save): still "P-Cad"
  form.show();
  form.hide();
  form.show();
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(sms));
  EXPECT_FALSE(IsWindowVisible(dw));
  form.hide();
}

// The solder mask swell, plane swell and draw aperture size dialogs.
struct ParamCase {
  std::wstring name;
  int field;  // the editor's field that receives the value
  std::wstring caption;
  SIZE client;
  std::wstring initial;  // the stand-in's value
};

std::unique_ptr<ParamDialog> makeParamDialog(int field, cadlink::EditorLink& link) {
  if (field == 2236) return std::make_unique<SolderMaskSwellDialog>(link);
  if (field == 2212) return std::make_unique<PlaneSwellDialog>(link);
  return std::make_unique<DrawApertureSizeDialog>(link);
}

bool journalHasWrite(const std::vector<std::wstring>& lines, int field, const std::wstring& value) {
  const std::wstring tail = L"#" + std::to_wstring(field) + L"\tWM_SETTEXT\t0\t\"" + value + L"\"";
  for (const std::wstring& l : lines) {
    if (l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0) {
      return true;
    }
  }
  return false;
}

bool journalHasAnyWrite(const std::vector<std::wstring>& lines) {
  for (const std::wstring& l : lines) {
    if (l.find(L"\tWM_SETTEXT\t") != std::wstring::npos) return true;
  }
  return false;
}

TEST(ParamDialogs, ApplyWritesTheCheckedValueAndShowsItReadBack) {
  const ParamCase cases[] = {
      {L"sms", 2236, L"SolderMaskSwell", {290, 66}, L"0.1mm"},
      {L"ps", 2212, L"Plane Swell", {263, 59}, L"0.25mm"},
      {L"das", 2137, L"Draw Aperture Size", {290, 66}, L"0.2mm"},
  };
  for (const ParamCase& c : cases) {
    SCOPED_TRACE(harness::narrow(c.name));
    cadlink_test::Standin editor(L"dialogs-" + c.name, L"--version 2004");
    auto link = cadlink_test::attach(editor.main());
    link.editorVersion = L"2004";
    std::unique_ptr<ParamDialog> dialog = makeParamDialog(c.field, link);
    ASSERT_TRUE(dialog->create());
    EXPECT_EQ(harness::textOf(dialog->hwnd()), c.caption);
    RECT rc;
    GetClientRect(dialog->hwnd(), &rc);
    EXPECT_EQ(rc.right, c.client.cx);
    EXPECT_EQ(rc.bottom, c.client.cy);
    EXPECT_TRUE(GetWindowLongW(dialog->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    HWND edit = GetDlgItem(dialog->hwnd(), ParamDialog::kIdValue);

    // shown: the editor's value
    dialog->show();
    EXPECT_EQ(harness::textOf(edit), c.initial);

    struct Step {
      std::wstring typed, written;
    };
    for (const Step& s :
         {Step{L"0.3", L"0.3mm"}, Step{L"0.35mm", L"0.35mm"}, Step{L"8mil", L"8mil"}}) {
      dialog->show();
      editor.mark();
      SetWindowTextW(edit, s.typed.c_str());
      SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(ParamDialog::kIdApply, BN_CLICKED), 0);
      EXPECT_TRUE(journalHasWrite(editor.lines(), c.field, s.written))
          << harness::narrow(s.typed) << "\n"
          << cadlink_test::show(editor.lines());
      EXPECT_EQ(harness::textOf(edit), s.written);
      EXPECT_EQ(dialog->readFromEditor(), s.written);
      EXPECT_FALSE(IsWindowVisible(dialog->hwnd()));
    }

    // the close button writes nothing
    dialog->show();
    SetWindowTextW(edit, L"9");
    editor.mark();
    SendMessageW(dialog->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog->hwnd()));
    EXPECT_FALSE(journalHasAnyWrite(editor.lines())) << cadlink_test::show(editor.lines());
    EXPECT_EQ(dialog->readFromEditor(), L"8mil");
  }
}

TEST(OffsetDialog, AcceptsNumbersAndFallsBackOnAnythingElse) {
  OffsetDialog form;
  ASSERT_TRUE(form.create());
  RECT rc;
  GetClientRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right, 458);
  EXPECT_EQ(rc.bottom, 63);
  EXPECT_EQ(harness::textOf(form.hwnd()), L"Оффсет");
  HWND x = GetDlgItem(form.hwnd(), OffsetDialog::kIdX);
  HWND y = GetDlgItem(form.hwnd(), OffsetDialog::kIdY);
  auto ok = [&] {
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(OffsetDialog::kIdOk, BN_CLICKED), 0);
  };
  EXPECT_EQ(harness::textOf(x), L"0");
  EXPECT_EQ(harness::textOf(y), L"0");

  form.show();
  SetWindowTextW(x, L"1.5");
  ok();
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(form.offsetX(), L"1.5mm");
  EXPECT_EQ(form.offsetY(), L"0mm");

  // a comma: both edits go back, the dialog stays open
  form.show();
  SetWindowTextW(x, L"2");
  SetWindowTextW(y, L"1,5");
  ok();
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(harness::textOf(x), L"1.5mm");
  EXPECT_EQ(harness::textOf(y), L"0mm");

  // the close button forgets the edits
  SetWindowTextW(x, L"5");
  SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(harness::textOf(x), L"1.5mm");
  EXPECT_EQ(form.offsetX(), L"1.5mm");
}

TEST(OffsetDialog, EscapeIsTheCloseButtonAndActivationFocusesX) {
  OffsetDialog form;
  ASSERT_TRUE(form.create());
  EXPECT_TRUE(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  HWND x = GetDlgItem(form.hwnd(), OffsetDialog::kIdX);
  HWND y = GetDlgItem(form.hwnd(), OffsetDialog::kIdY);
  form.show();
  SetFocus(y);
  ASSERT_EQ(GetFocus(), y) << "the window of this thread takes the focus";
  SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), x);

  // Escape forgets the edits and hides, as the close button does
  SetWindowTextW(x, L"7");
  SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(harness::textOf(x), L"0");
  EXPECT_EQ(form.offsetX(), L"0");
}

// Drops a quit request left in this thread's queue by a main window of an
// earlier test, so that the dialog waits below run.
void dropQuit() {
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

TEST(ParamDialogs, MenuCommandsWaitForTheirDialogAndShowTheEditorsValue) {
  cadlink_test::Standin editor(L"dialogs-menu", L"--version 2004");
  dropQuit();
  {
    MainWindow main;
    ASSERT_TRUE(main.create());
    main.link() = cadlink_test::attach(editor.main());
    main.link().editorVersion = L"2004";
    OffsetDialog& offset = main.offsetDialog();
    SolderMaskSwellDialog& solderMask = main.solderMaskSwellDialog();
    DrawApertureSizeDialog& aperture = main.drawApertureSizeDialog();

    // the command shows the dialog and waits; "Применить" ends the wait
    SetWindowTextW(GetDlgItem(solderMask.hwnd(), ParamDialog::kIdValue), L"stale");
    PostMessageW(main.hwnd(), WM_COMMAND, MainWindow::kCmdSolderMaskSwell, 0);
    PostMessageW(solderMask.hwnd(), WM_COMMAND, MAKEWPARAM(ParamDialog::kIdApply, BN_CLICKED), 0);
    main.pump().dispatchPending();
    EXPECT_FALSE(solderMask.visible());
    // the dialog read 0.1mm when shown and wrote it back as a number
    EXPECT_EQ(main.model().solderMaskSwell.text(), L"0.1mm");

    // closed without applying: the editor's value, read afresh
    cadlink::writeDrawApertureSize(main.link(), L"0.4mm");
    PostMessageW(main.hwnd(), WM_COMMAND, MainWindow::kCmdDrawApertureSize, 0);
    PostMessageW(aperture.hwnd(), WM_CLOSE, 0, 0);
    main.pump().dispatchPending();
    EXPECT_EQ(main.model().drawApertureSize.text(), L"0.4mm");

    PostMessageW(main.hwnd(), WM_COMMAND, MainWindow::kCmdOffset, 0);
    PostMessageW(offset.hwnd(), WM_COMMAND, MAKEWPARAM(OffsetDialog::kIdOk, BN_CLICKED), 0);
    main.pump().dispatchPending();
    EXPECT_EQ(main.model().offsetX.text(), L"0mm");
    EXPECT_EQ(main.model().offsetY.text(), L"0mm");
  }
  dropQuit();
}

}  // namespace
