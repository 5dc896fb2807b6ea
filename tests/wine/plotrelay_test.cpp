// End-to-end tests of the plot driver plotrelay.exe: it is started as the
// export run starts it, against a fake editor that lives in this test
// process (a main window of class "ACCEL PCB" on a thread of its own, with
// the Gerber and N/C drill dialogs of the shipped 2004_215 templates), on a
// job written by the job writer from the shipped templates.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../unit/export_test_support.h"
#include "base/text_file.h"
#include "export/job_writer.h"
#include "harness.h"
#include "repo_paths.h"

namespace fs = std::filesystem;

namespace {

// The driver that runDriver() is running, so that the fake editor looks at
// that driver's progress window and no other process's.
std::atomic<DWORD> runningDriver{0};

using Lines = std::vector<std::wstring>;

constexpr DWORD kRunMs = 60000;
constexpr WORD kGerberCommand = 32786;
constexpr WORD kDrillCommand = 32787;
constexpr int kGerberGenerate = 1040;
constexpr int kDrillGenerate = 1140;
constexpr wchar_t kDialogClass[] = L"TavrolinTestPlotDialog";

// What a dialog held when its "Generate" button was clicked.
struct Output {
  std::wstring title;
  std::wstring path;
  std::wstring layer;   // the selected list item
  std::wstring checks;  // "1"/"0" for 1011 ... 1019
  std::wstring offsetX, offsetY;
  bool mm = false;
  std::wstring drillLayers;
  int selChanges = 0;  // LBN_SELCHANGE notifications the dialog got
  // The driver's progress window at that moment.
  bool progressShown = false;
  bool progressIconic = false;
  std::wstring progressLabel;
};

std::wstring textOfControl(HWND dialog, int id) { return harness::textOf(GetDlgItem(dialog, id)); }

// The fake editor: its windows belong to a thread of this process that runs
// its own message loop while the driver works them from outside.
class FakeEditor {
 public:
  explicit FakeEditor(bool opensGerber) : opensGerber_(opensGerber) {
    thread_ = std::thread([this] { threadMain(); });
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return started_; });
  }
  ~FakeEditor() {
    if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND main() const { return main_; }
  std::vector<Output> outputs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return outputs_;
  }
  std::vector<WORD> commands() {
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
  }

 private:
  static void registerClasses() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ACCEL PCB";
    RegisterClassW(&wc);
    wc.lpfnWndProc = dialogProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);  // a second registration fails harmlessly
  }

  void threadMain() {
    registerClasses();
    main_ = CreateWindowExW(0, L"ACCEL PCB", L"P-CAD 2004 PCB - [board.pcb]", WS_OVERLAPPEDWINDOW,
                            0, 0, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      started_ = true;
    }
    ready_.notify_all();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  static LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<FakeEditor*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_COMMAND && self) {
      self->onCommand(LOWORD(wParam));
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  void onCommand(WORD id) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      commands_.push_back(id);
    }
    if (id == kGerberCommand && opensGerber_) openGerber();
    if (id == kDrillCommand) openDrill();
  }

  // Dialogs are made hidden and shown once their controls exist, as a
  // dialog box is.
  HWND openDialog(const wchar_t* title) {
    return CreateWindowExW(0, kDialogClass, title, WS_POPUP | WS_CAPTION, 40, 40, 420, 400, main_,
                           nullptr, GetModuleHandleW(nullptr), this);
  }
  static void child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                    int y) {
    CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 380, 20, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    nullptr);
  }

  void openGerber() {
    HWND d = openDialog(L"File Export Gerber");
    child(d, L"EDIT", L"", ES_AUTOHSCROLL, 1001, 0);
    CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_HASSTRINGS, 10, 22,
                    380, 60, d, reinterpret_cast<HMENU>(1002), GetModuleHandleW(nullptr), nullptr);
    // "TOP" comes first: the driver must pick the item that matches exactly.
    for (const wchar_t* item : {L"TOP", L"Top", L"Inner|50%", L"Bottom"}) {
      SendDlgItemMessageW(d, 1002, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    for (int k = 0; k < 9; ++k)
      child(d, L"BUTTON", L"class", BS_AUTOCHECKBOX, 1011 + k, 90 + 20 * (k % 5));
    child(d, L"EDIT", L"", 0, 1021, 200);
    child(d, L"EDIT", L"", 0, 1022, 222);
    child(d, L"BUTTON", L"mm", BS_AUTORADIOBUTTON | WS_GROUP, 1031, 244);
    child(d, L"BUTTON", L"inch", BS_AUTORADIOBUTTON, 1032, 266);
    SendDlgItemMessageW(d, 1032, BM_SETCHECK, BST_CHECKED, 0);  // the driver must switch to mm
    child(d, L"BUTTON", L"Generate", BS_PUSHBUTTON, kGerberGenerate, 300);
    ShowWindow(d, SW_SHOWNOACTIVATE);
  }

  void openDrill() {
    HWND d = openDialog(L"File N/C Drill");
    child(d, L"EDIT", L"", ES_AUTOHSCROLL, 1101, 0);
    child(d, L"EDIT", L"", ES_AUTOHSCROLL, 1102, 22);
    child(d, L"EDIT", L"", 0, 1121, 44);
    child(d, L"EDIT", L"", 0, 1122, 66);
    child(d, L"BUTTON", L"Generate", BS_PUSHBUTTON, kDrillGenerate, 100);
    ShowWindow(d, SW_SHOWNOACTIVATE);
  }

  static LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<FakeEditor*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_COMMAND && self) {
      if (LOWORD(wParam) == 1002 && HIWORD(wParam) == LBN_SELCHANGE) ++self->selChanges_;
      if ((LOWORD(wParam) == kGerberGenerate || LOWORD(wParam) == kDrillGenerate) &&
          HIWORD(wParam) == BN_CLICKED) {
        self->generate(hwnd);
        DestroyWindow(hwnd);
      }
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  void generate(HWND d) {
    Output out;
    out.title = harness::textOf(d);
    out.selChanges = selChanges_;
    selChanges_ = 0;
    if (GetDlgItem(d, 1001)) {
      out.path = textOfControl(d, 1001);
      const LRESULT sel = SendDlgItemMessageW(d, 1002, LB_GETCURSEL, 0, 0);
      wchar_t item[256] = {};
      if (sel >= 0)
        SendDlgItemMessageW(d, 1002, LB_GETTEXT, static_cast<WPARAM>(sel),
                            reinterpret_cast<LPARAM>(item));
      out.layer = item;
      for (int k = 0; k < 9; ++k)
        out.checks += IsDlgButtonChecked(d, 1011 + k) == BST_CHECKED ? L"1" : L"0";
      out.offsetX = textOfControl(d, 1021);
      out.offsetY = textOfControl(d, 1022);
      out.mm =
          IsDlgButtonChecked(d, 1031) == BST_CHECKED && IsDlgButtonChecked(d, 1032) != BST_CHECKED;
    } else {
      out.path = textOfControl(d, 1101);
      out.drillLayers = textOfControl(d, 1102);
      out.offsetX = textOfControl(d, 1121);
      out.offsetY = textOfControl(d, 1122);
    }
    if (HWND progress =
            harness::findWindowOf(runningDriver.load(), L"", L"TavrolinPlotRelayProgress")) {
      out.progressShown = IsWindowVisible(progress) != FALSE;
      out.progressIconic = IsIconic(progress) != FALSE;
      out.progressLabel = harness::textOf(FindWindowExW(progress, nullptr, L"Static", nullptr));
    }
    HANDLE f = CreateFileW(out.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      const char data[] = "G04 written by the test editor*\r\nM02*\r\n";
      DWORD written = 0;
      WriteFile(f, data, sizeof data - 1, &written, nullptr);
      CloseHandle(f);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    outputs_.push_back(out);
  }

  bool opensGerber_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable ready_;
  bool started_ = false;
  HWND main_ = nullptr;
  int selChanges_ = 0;  // touched on the editor's thread only
  std::vector<Output> outputs_;
  std::vector<WORD> commands_;
};

// A job for Top, "Inner|50%" and Bottom (all conductive, exported) written by
// the job writer from the shipped 2004_215 templates into a fresh folder.
struct JobFolder {
  fs::path dir;
  std::wstring d;  // the folder with its trailing backslash

  explicit JobFolder(const std::wstring& name, int windowTries = 0) : dir(harness::freshDir(name)) {
    d = dir.wstring() + L"\\";
    layers::LayerTableModel form;
    form.offsetX.setText(L"1.5");
    form.offsetY.setText(L"-2");
    exporttest::buildTable(form, {{L"Top", 1, 0, true, {true, false, true}},
                                  {L"Inner|50%", 1, 1, true, {false, true}},
                                  {L"Bottom", 1, 3, true, {true}}});
    exportcore::writeJobDescription(
        form, d + L"pcad.ini",
        {(harness::sourceRoot() / L"dist" / L"macros").wstring() + L"\\", L"2004", L"215",
         L"board.pcb"});
    if (windowTries > 0) {
      base::TextFile job = base::readTextFile(dir / L"pcad.ini");
      for (std::wstring& line : job.lines) {
        if (line.rfind(L"WindowTries=", 0) == 0)
          line = L"WindowTries=" + std::to_wstring(windowTries);
      }
      base::writeTextFile(dir / L"pcad.ini", job);
    }
  }

  Lines errorLog() const { return base::readTextFile(dir / L"error.log").lines; }
  bool has(const std::wstring& name) const { return fs::exists(dir / name); }
};

// Runs the driver as the export run does, with the show state `show` in
// its start-up information (none when negative), and returns its exit code.
DWORD runDriver(const std::wstring& arguments, int show = -1) {
  const fs::path exe = harness::buildDir() / L"plotrelay.exe";
  std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (show >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "the driver did not start";
    return STILL_ACTIVE;
  }
  runningDriver = pi.dwProcessId;
  const bool ended = WaitForSingleObject(pi.hProcess, kRunMs) == WAIT_OBJECT_0;
  EXPECT_TRUE(ended) << "the driver did not end";
  if (!ended) TerminateProcess(pi.hProcess, 99);
  runningDriver = 0;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

std::wstring argsFor(HWND editor, const JobFolder& job, const wchar_t* delays,
                     const wchar_t* stop) {
  return std::to_wstring(reinterpret_cast<uintptr_t>(editor)) + L" \"" + job.d + L"pcad.ini\" \"" +
         job.d + L"board.ERR\" " + delays + L" " + stop;
}

TEST(PlotRelay, WritesEveryFileThroughTheEditorsDialogs) {
  JobFolder job(L"plotrelay-ok");
  FakeEditor editor(true);
  EXPECT_EQ(runDriver(argsFor(editor.main(), job, L"5 5", L"0")), 0u);

  EXPECT_EQ(job.errorLog(), (Lines{L"errors - 0"}));
  EXPECT_TRUE(job.has(L"board.GTL"));
  EXPECT_TRUE(job.has(L"board.ERR"));
  for (const wchar_t* drill : {L"board.1_2", L"board.1_3", L"board.2_3"}) {
    EXPECT_TRUE(job.has(drill)) << harness::narrow(drill);
  }
  const std::vector<Output> outputs = editor.outputs();
  ASSERT_EQ(outputs.size(), 6u);
  const Output& top = outputs[0];
  EXPECT_EQ(top.title, L"File Export Gerber");
  EXPECT_EQ(top.path, job.d + L"board.GTL");
  EXPECT_EQ(top.layer, L"Top");
  EXPECT_EQ(top.checks, L"101000000");
  EXPECT_EQ(top.offsetX, L"1.5");
  EXPECT_EQ(top.offsetY, L"-2");
  EXPECT_TRUE(top.mm);
  EXPECT_EQ(top.selChanges, 1);
  EXPECT_TRUE(top.progressShown);
  EXPECT_FALSE(top.progressIconic);
  EXPECT_EQ(top.progressLabel, L"Блок 1 из 6: Top — " + job.d + L"board.GTL");
  EXPECT_EQ(outputs[5].progressLabel, L"Блок 6 из 6: 23Bottom — " + job.d + L"board.2_3");
  EXPECT_EQ(outputs[1].layer, L"Inner|50%");
  EXPECT_EQ(outputs[1].checks, L"010000000");
  EXPECT_TRUE(fs::exists(fs::path(outputs[1].path)));
  EXPECT_EQ(outputs[2].layer, L"Bottom");
  const Output& drill = outputs[4];
  EXPECT_EQ(drill.title, L"File N/C Drill");
  EXPECT_EQ(drill.path, job.d + L"board.1_3");
  EXPECT_EQ(drill.drillLayers, L"Top%Inner|50%%Bottom");
  EXPECT_EQ(drill.offsetY, L"-2");
}

TEST(PlotRelay, ProgressWindowTakesTheShowStateItWasStartedWith) {
  JobFolder job(L"plotrelay-show");
  FakeEditor editor(true);
  EXPECT_EQ(runDriver(argsFor(editor.main(), job, L"5 5", L"0"), SW_SHOWMINNOACTIVE), 0u);
  const std::vector<Output> outputs = editor.outputs();
  ASSERT_FALSE(outputs.empty());
  EXPECT_TRUE(outputs[0].progressIconic);
  EXPECT_EQ(job.errorLog(), (Lines{L"errors - 0"}));
}

TEST(PlotRelay, DialogThatNeverOpensIsReportedAndTheJobGoesOn) {
  JobFolder job(L"plotrelay-nodialog", 20);
  FakeEditor editor(false);
  // 20 tries 50 ms apart: a second for each window, time enough for the
  // drill dialogs that do come on a busy machine
  EXPECT_EQ(runDriver(argsFor(editor.main(), job, L"50 50", L"0")), 1u);

  const Lines log = job.errorLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], L"Top: Не открылось окно \"File Export Gerber\" (слой Top)");
  EXPECT_EQ(log[1], L"Inner|50%: Не открылось окно \"File Export Gerber\" (слой Inner|50%)");
  EXPECT_EQ(log[3], L"errors - 3");
  EXPECT_FALSE(job.has(L"board.GTL"));
  EXPECT_TRUE(job.has(L"board.2_3"));  // the drill blocks still ran
  const Lines report = base::readTextFile(job.dir / L"board.ERR").lines;
  EXPECT_NE(std::find(report.begin(), report.end(), L"Блоков: 6, с ошибками: 3"), report.end());
}

TEST(PlotRelay, StopFlagEndsAtTheFirstFailedBlock) {
  JobFolder job(L"plotrelay-stop", 20);
  FakeEditor editor(false);
  EXPECT_EQ(runDriver(argsFor(editor.main(), job, L"0 0", L"1")), 1u);

  EXPECT_EQ(job.errorLog(),
            (Lines{L"Top: Не открылось окно \"File Export Gerber\" (слой Top)", L"errors - 1"}));
  EXPECT_EQ(editor.commands(), (std::vector<WORD>{kGerberCommand}));
  EXPECT_FALSE(job.has(L"board.1_2"));
}

TEST(PlotRelay, EditorWindowThatIsGoneFailsEveryBlockWithoutWaiting) {
  JobFolder job(L"plotrelay-noeditor");
  HWND gone = nullptr;
  {
    FakeEditor editor(true);
    gone = editor.main();
  }
  ASSERT_FALSE(IsWindow(gone));
  EXPECT_EQ(runDriver(argsFor(gone, job, L"10 10", L"0")), 1u);
  const Lines log = job.errorLog();
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ(log[0], L"Top: Окно редактора больше не существует");
  EXPECT_EQ(log[6], L"errors - 6");
}

TEST(PlotRelay, ClosingTheProgressWindowStopsTheRunAndNamesWhatWasNotDone) {
  JobFolder job(L"plotrelay-close");
  FakeEditor editor(false);  // the Gerber dialog never comes: every block would wait
  harness::Process driver(L"\"" + (harness::buildDir() / L"plotrelay.exe").wstring() + L"\" " +
                          argsFor(editor.main(), job, L"10 10", L"0"));
  HWND progress = harness::waitWindowOf(driver.pid(), L"", 10000, L"TavrolinPlotRelayProgress");
  ASSERT_NE(progress, nullptr);
  PostMessageW(progress, WM_CLOSE, 0, 0);
  ASSERT_TRUE(driver.wait(kRunMs)) << "the driver did not end";
  DWORD code = 0;
  GetExitCodeProcess(driver.handle(), &code);
  EXPECT_EQ(code, 1u);
  const Lines log = job.errorLog();
  ASSERT_EQ(log.size(), 7u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_NE(log[i].find(L"остановлен"), std::wstring::npos) << harness::narrow(log[i]);
  }
  EXPECT_EQ(log[6], L"errors - 6");
  const Lines report = base::readTextFile(job.dir / L"board.ERR").lines;
  EXPECT_NE(std::find(report.begin(), report.end(), L"Работа остановлена: окно драйвера закрыто."),
            report.end());
  EXPECT_FALSE(job.has(L"board.2_3")) << "no later block ran";
}

TEST(PlotRelay, MalformedCommandLineIsReportedInTheLogsAndEndsNonZero) {
  JobFolder job(L"plotrelay-badargs");
  struct Case {
    std::wstring arguments;
    const wchar_t* mentions;
    bool report;  // the .ERR path is recognisable
  };
  const Case cases[] = {
      {L"abc \"" + job.d + L"pcad.ini\" \"" + job.d + L"board.ERR\" 10 10 0", L"\"abc\"", true},
      {L"123 \"" + job.d + L"pcad.ini\" \"" + job.d + L"board.ERR\" 10 ten 0", L"\"ten\"", true},
      {L"\"" + job.d + L"pcad.ini\"", L"получено 1", false},
  };
  for (const Case& c : cases) {
    DeleteFileW((job.dir / L"error.log").c_str());
    DeleteFileW((job.dir / L"board.ERR").c_str());
    EXPECT_EQ(runDriver(c.arguments), 2u) << harness::narrow(c.arguments);
    const Lines log = job.errorLog();
    ASSERT_EQ(log.size(), 2u) << harness::narrow(c.arguments);
    EXPECT_EQ(log[0].rfind(L"Командная строка: ", 0), 0u);
    EXPECT_NE(log[0].find(c.mentions), std::wstring::npos) << harness::narrow(log[0]);
    EXPECT_EQ(log[1], L"errors - 1");
    EXPECT_EQ(job.has(L"board.ERR"), c.report);
  }
  EXPECT_FALSE(job.has(L"board.GTL"));
}

}  // namespace
