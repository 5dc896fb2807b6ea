// End-to-end tests of the editor stand-in: the dialogs it opens on the
// editor's commands, the layer list read from another process, the build
// text, the take-over rules of the parameter fields, the fault options and
// the journal lines it writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "editor_standin.h"
#include "harness.h"
#include "repo_paths.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kWaitMs = 8000;

using harness::Standin;

// Starts the stand-in on `board` (a path, or a name in dist/boards).
Standin startStandin(const std::wstring& testName, const fs::path& board,
                     const std::wstring& extra = {}) {
  return Standin(board, L"standin-" + testName, extra);
}

// A top-level window of process `pid` with exactly this title, found
// without sending it anything (so the journal stays free of the test's own
// searches).
HWND waitTop(DWORD pid, const std::wstring& title, DWORD ms = kWaitMs) {
  HWND found = nullptr;
  harness::waitFor(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); w;
             w = FindWindowExW(nullptr, w, nullptr, title.c_str())) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner == pid) return (found = w) != nullptr;
        }
        return false;
      },
      ms);
  return found;
}

std::wstring textOfControl(HWND control) {
  std::vector<wchar_t> buf(2048);
  LRESULT n = SendMessageW(control, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

void click(HWND control, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  SendMessageW(control, WM_LBUTTONDOWN, 0, at);
  SendMessageW(control, WM_LBUTTONUP, 0, at);
}

// One cell of a list view in another process, read the way the program does.
std::wstring readCell(HWND list, int row, int column) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!proc) return L"<no process>";
  auto* remote = static_cast<char*>(
      VirtualAllocEx(proc, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(remote + 60);
  item.cchTextMax = 512;
  static_assert(sizeof(LVITEMW) == 60, "32-bit record layout");
  WriteProcessMemory(proc, remote, &item, sizeof item, nullptr);
  SendMessageW(list, LVM_GETITEMW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
  wchar_t text[513] = {};
  ReadProcessMemory(proc, remote + 60, text, 1024, nullptr);
  VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
  CloseHandle(proc);
  return text;
}

bool gone(HWND w) {
  return harness::waitFor([&] { return !IsWindow(w); }, kWaitMs);
}

// ---------------------------------------------------------------------------

struct LayerCase {
  const wchar_t* board;
  int clicksNeeded;
  LRESULT rows;
  int probeRow;
  const wchar_t* name;
  const wchar_t* type;
};

class StandinLayers : public testing::TestWithParam<LayerCase> {};

TEST_P(StandinLayers, ListAppearsAfterClicksAndReadsOutOfProcess) {
  const LayerCase& c = GetParam();
  Standin s =
      startStandin(L"layers", c.board, L"--list-after-clicks " + std::to_wstring(c.clicksNeeded));
  ASSERT_NE(s.main(), nullptr);
  PostMessageW(s.main(), WM_COMMAND, 32883, 0);
  HWND dlg = waitTop(s.pid(), L"Options Layers");
  ASSERT_NE(dlg, nullptr);
  for (int i = 0; i < c.clicksNeeded; ++i) {
    EXPECT_EQ(GetDlgItem(dlg, 2278), nullptr) << "list before click " << i + 1;
    click(GetDlgItem(dlg, 998), 0, 0);
  }
  HWND list = GetDlgItem(dlg, 2278);
  ASSERT_NE(list, nullptr);
  wchar_t cls[150];
  GetClassNameW(list, cls, 150);
  EXPECT_STREQ(cls, L"SysListView32");
  SendMessageW(dlg, WM_COMMAND, 2349, 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), c.rows);
  EXPECT_EQ(readCell(list, c.probeRow, 0), c.name);
  EXPECT_EQ(readCell(list, c.probeRow, 1), c.type);
  SendMessageW(dlg, WM_CLOSE, 1, 1);
  EXPECT_TRUE(gone(dlg));

  std::vector<std::wstring> want{L"main\tWM_COMMAND\t32883\t0"};
  for (int i = 0; i < c.clicksNeeded; ++i) {
    want.push_back(L"\"Options Layers\"#998\tWM_LBUTTONDOWN\t0\t0");
    want.push_back(L"\"Options Layers\"#998\tWM_LBUTTONUP\t0\t0");
  }
  std::wstring row = std::to_wstring(c.probeRow);
  want.push_back(L"\"Options Layers\"\tWM_COMMAND\t2349\t0");
  want.push_back(L"\"Options Layers\"#2278\tLVM_GETITEMCOUNT\t0\t0");
  want.push_back(L"\"Options Layers\"#2278\tLVM_GETITEMW\t" + row + L"\taddr");
  want.push_back(L"\"Options Layers\"#2278\tLVM_GETITEMW\t" + row + L"\taddr");
  want.push_back(L"\"Options Layers\"\tWM_CLOSE\t1\t1");
  EXPECT_EQ(s.lines(), want);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, StandinLayers,
    testing::Values(LayerCase{L"four-layer.brd", 1, 9, 2, L"GND", L"PE "},
                    LayerCase{L"twelve-layer.brd", 3, 18, 2, L"Сигнал 3", L"SEH"},
                    LayerCase{L"twelve-layer.brd", 1, 18, 17, L"Сборка", L"XX "},
                    LayerCase{L"empty.brd", 1, 0, 0, L"", L""}));

// ---------------------------------------------------------------------------

struct BuildCase {
  const wchar_t* version;
  const wchar_t* extra;
  WPARAM command;
  long build;
};

class StandinBuild : public testing::TestWithParam<BuildCase> {};

TEST_P(StandinBuild, BuildNumberStandsFromCharacter27ToNextToLast) {
  const BuildCase& c = GetParam();
  Standin s = startStandin(L"build", L"two-layer.brd",
                           std::wstring(L"--version ") + c.version + L" " + c.extra);
  ASSERT_NE(s.main(), nullptr);
  wchar_t title[256];
  GetWindowTextW(s.main(), title, 256);
  EXPECT_EQ(std::wstring(title), std::wstring(L"P-CAD ") + c.version + L" PCB - [two-layer.pcb]");
  EXPECT_EQ(std::wstring(title).substr(6, 4), c.version);

  PostMessageW(s.main(), WM_COMMAND, c.command, 0);
  HWND win = waitTop(s.pid(), std::wstring(L"P-CAD ") + c.version + L" PCB");
  ASSERT_NE(win, nullptr);
  std::wstring text = textOfControl(GetDlgItem(win, 1287));
  ASSERT_GT(text.size(), 27u) << harness::narrow(text);
  EXPECT_EQ(text.substr(26, text.size() - 27), std::to_wstring(c.build)) << harness::narrow(text);
  SendMessageW(win, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(gone(win));
}

INSTANTIATE_TEST_SUITE_P(Versions, StandinBuild,
                         testing::Values(BuildCase{L"2002", L"", 32927, 101},
                                         BuildCase{L"2004", L"", 32927, 215},
                                         BuildCase{L"2006", L"", 60009, 437},
                                         BuildCase{L"2004", L"--build 98765", 32927, 98765}));

TEST(StandinBuild, UnknownVersionHasNoBuildWindow) {
  Standin s = startStandin(L"build-2001", L"two-layer.brd", L"--version 2001");
  ASSERT_NE(s.main(), nullptr);
  wchar_t title[256];
  GetWindowTextW(s.main(), title, 256);
  EXPECT_EQ(std::wstring(title).substr(6, 4), L"2001");
  PostMessageW(s.main(), WM_COMMAND, 32927, 0);
  PostMessageW(s.main(), WM_COMMAND, 60009, 0);
  // Both commands arrived and were journaled, and nothing opened.
  EXPECT_TRUE(harness::waitFor([&] { return s.lines().size() == 2; }, kWaitMs));
  EXPECT_EQ(waitTop(s.pid(), L"P-CAD 2001 PCB", 700), nullptr);
  EXPECT_EQ(s.lines(), (std::vector<std::wstring>{L"main\tWM_COMMAND\t32927\t0",
                                                  L"main\tWM_COMMAND\t60009\t0"}));
}

// ---------------------------------------------------------------------------

// Which notifications follow the WM_SETTEXT in a swell write.
enum class Run { Full, None, MissingKillFocus, OtherFieldsTag, ClosedInsteadOfOk };

struct SwellCase {
  const char* name;
  int field;
  unsigned tag;
  Run run;
  const wchar_t* stored;  // what a fresh read shows afterwards
};

class StandinSwell : public testing::TestWithParam<SwellCase> {};

std::wstring readConfigureField(const Standin& s, int field) {
  PostMessageW(s.main(), WM_COMMAND, 32879, 0);
  HWND dlg = waitTop(s.pid(), L"Options Configure");
  if (!dlg) return L"<no dialog>";
  std::wstring text = textOfControl(GetDlgItem(dlg, field));
  SendMessageW(dlg, WM_COMMAND, IDOK, 0);
  gone(dlg);
  return text;
}

TEST_P(StandinSwell, ValueIsTakenOverOnlyAfterTheFullNotificationRun) {
  const SwellCase& c = GetParam();
  Standin s = startStandin(L"swell", L"four-layer.brd");
  ASSERT_NE(s.main(), nullptr);
  PostMessageW(s.main(), WM_COMMAND, 32879, 0);
  HWND dlg = waitTop(s.pid(), L"Options Configure");
  ASSERT_NE(dlg, nullptr);
  SendMessageW(GetDlgItem(dlg, c.field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0.42mm"));
  LPARAM tag = c.run == Run::OtherFieldsTag ? (c.tag == 2755790 ? 5115144 : 2755790) : c.tag;
  if (c.run != Run::None) {
    SendMessageW(dlg, WM_COMMAND, 197606, tag);
    for (WPARAM code : {EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_KILLFOCUS}) {
      if (c.run == Run::MissingKillFocus && code == EN_KILLFOCUS) break;
      SendMessageW(dlg, WM_COMMAND, (code << 16) | static_cast<WPARAM>(c.field), tag);
    }
  }
  if (c.run == Run::ClosedInsteadOfOk) {
    SendMessageW(dlg, WM_CLOSE, 0, 0);
  } else {
    SendMessageW(dlg, WM_COMMAND, IDOK, 0);
  }
  ASSERT_TRUE(gone(dlg));
  EXPECT_EQ(readConfigureField(s, c.field), c.stored);

  std::vector<std::wstring> lines = s.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1],
            L"\"Options Configure\"#" + std::to_wstring(c.field) + L"\tWM_SETTEXT\t0\t\"0.42mm\"");
  if (c.run == Run::Full) {
    EXPECT_EQ(lines[2], L"\"Options Configure\"\tWM_COMMAND\t197606\t" + std::to_wstring(c.tag));
    EXPECT_EQ(lines[6], L"\"Options Configure\"\tWM_COMMAND\t" +
                            std::to_wstring((EN_KILLFOCUS << 16) | c.field) + L"\t" +
                            std::to_wstring(c.tag));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StandinSwell,
    testing::Values(SwellCase{"MaskFull", 2236, 2755790, Run::Full, L"0.42mm"},
                    SwellCase{"PlaneFull", 2212, 5115144, Run::Full, L"0.42mm"},
                    SwellCase{"MaskNoNotifications", 2236, 2755790, Run::None, L"0.1mm"},
                    SwellCase{"PlaneMissingKillFocus", 2212, 5115144, Run::MissingKillFocus,
                              L"0.3mm"},
                    SwellCase{"MaskWithPlaneTag", 2236, 2755790, Run::OtherFieldsTag, L"0.1mm"},
                    SwellCase{"MaskClosed", 2236, 2755790, Run::ClosedInsteadOfOk, L"0.1mm"}),
    [](const testing::TestParamInfo<SwellCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

struct ApertureCase {
  const wchar_t* version;
  const wchar_t* gerberTitle;
  bool pressEnter;
  const wchar_t* stored;
};

class StandinAperture : public testing::TestWithParam<ApertureCase> {};

TEST_P(StandinAperture, ValueIsTakenOverAfterEnterAndOk) {
  const ApertureCase& c = GetParam();
  Standin s = startStandin(L"aperture", L"two-layer.brd", std::wstring(L"--version ") + c.version);
  ASSERT_NE(s.main(), nullptr);
  auto openApertures = [&](HWND& gerber) -> HWND {
    PostMessageW(s.main(), WM_COMMAND, 32786, 0);
    gerber = waitTop(s.pid(), c.gerberTitle);
    if (!gerber) return nullptr;
    PostMessageW(gerber, WM_COMMAND, 2380, 0);
    return waitTop(s.pid(), L"Aperture Assignments");
  };
  HWND gerber = nullptr;
  HWND ap = openApertures(gerber);
  ASSERT_NE(ap, nullptr);
  HWND field = GetDlgItem(ap, 2137);
  SendMessageW(field, WM_SETFOCUS, 0, 0);
  SendMessageW(field, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0.33mm"));
  if (c.pressEnter) {
    SendMessageW(ap, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(ap, WM_KEYUP, VK_RETURN, 0);
  }
  SendMessageW(ap, WM_COMMAND, IDOK, 0);
  SendMessageW(gerber, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(gone(ap));
  ASSERT_TRUE(gone(gerber));

  ap = openApertures(gerber);
  ASSERT_NE(ap, nullptr);
  EXPECT_EQ(textOfControl(GetDlgItem(ap, 2137)), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, StandinAperture,
    testing::Values(ApertureCase{L"2002", L"File Gerber Out", true, L"0.33mm"},
                    ApertureCase{L"2004", L"File Export Gerber", true, L"0.33mm"},
                    ApertureCase{L"2006", L"File Export Gerber", false, L"0.2mm"}));

// ---------------------------------------------------------------------------

TEST(StandinFaults, ExitOnEndsTheEditorWhenTheDialogIsAskedFor) {
  Standin s = startStandin(L"exit-on", L"two-layer.brd", L"--exit-on \"Design Info\"");
  ASSERT_NE(s.main(), nullptr);
  PostMessageW(s.main(), WM_COMMAND, 32784, 0);
  ASSERT_TRUE(s.process().wait(kWaitMs));
  DWORD code = 0;
  GetExitCodeProcess(s.process().handle(), &code);
  EXPECT_EQ(code, 3u);
  EXPECT_FALSE(IsWindow(s.main()));
  EXPECT_EQ(s.lines(), std::vector<std::wstring>{L"main\tWM_COMMAND\t32784\t0"});
}

TEST(StandinFaults, NeverOpenAndDelay) {
  Standin s = startStandin(L"never-open", L"two-layer.brd",
                           L"--never-open \"Options Configure\" --dialog-delay 2000");
  ASSERT_NE(s.main(), nullptr);
  // the command is handled (journaled) and the dialog comes only after the delay
  PostMessageW(s.main(), WM_COMMAND, 32784, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !s.lines().empty(); }, kWaitMs));
  EXPECT_EQ(FindWindowExW(nullptr, nullptr, nullptr, L"Design Info"), nullptr);
  HWND info = waitTop(s.pid(), L"Design Info");
  ASSERT_NE(info, nullptr);
  // a dialog that never opens: its command is handled, and after as long as
  // the delayed one took nothing has come
  s.mark();
  PostMessageW(s.main(), WM_COMMAND, 32879, 0);
  ASSERT_TRUE(harness::waitFor([&] { return !s.lines().empty(); }, kWaitMs));
  EXPECT_EQ(waitTop(s.pid(), L"Options Configure", 2500), nullptr);
}

TEST(StandinFaults, LongAndEmptyTexts) {
  {
    Standin s = startStandin(L"long", L"four-layer.brd", L"--long-texts");
    ASSERT_NE(s.main(), nullptr);
    PostMessageW(s.main(), WM_COMMAND, 32784, 0);
    HWND info = waitTop(s.pid(), L"Design Info");
    ASSERT_NE(info, nullptr);
    std::wstring dir = textOfControl(GetDlgItem(info, 1634));
    EXPECT_EQ(dir.size(), 210u);  // the stand-in's long directory
    EXPECT_EQ(dir.substr(0, 3), L"C:\\");
    EXPECT_EQ(dir.back(), L'\\');
    SendMessageW(info, WM_COMMAND, IDOK, 0);
    PostMessageW(s.main(), WM_COMMAND, 32883, 0);
    HWND layers = waitTop(s.pid(), L"Options Layers");
    ASSERT_NE(layers, nullptr);
    click(GetDlgItem(layers, 998), 0, 0);
    HWND list = GetDlgItem(layers, 2278);
    ASSERT_NE(list, nullptr);
    std::wstring name = readCell(list, 0, 0);
    EXPECT_EQ(name.size(), 300u);
    EXPECT_EQ(name.substr(0, 4), L"Top ");
  }
  {
    Standin s = startStandin(L"empty", L"four-layer.brd", L"--empty-fields");
    ASSERT_NE(s.main(), nullptr);
    PostMessageW(s.main(), WM_COMMAND, 32784, 0);
    HWND info = waitTop(s.pid(), L"Design Info");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(textOfControl(GetDlgItem(info, 1634)), L"");
    EXPECT_EQ(textOfControl(GetDlgItem(info, 1631)), L"");
    SendMessageW(info, WM_COMMAND, IDOK, 0);
    PostMessageW(s.main(), WM_COMMAND, 32883, 0);
    HWND layers = waitTop(s.pid(), L"Options Layers");
    ASSERT_NE(layers, nullptr);
    click(GetDlgItem(layers, 998), 0, 0);
    HWND list = GetDlgItem(layers, 2278);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(readCell(list, 0, 0), L"Top");
    EXPECT_EQ(readCell(list, 0, 1), L"");
    EXPECT_EQ(readCell(list, 1, 1), L"SEA");
  }
}

TEST(StandinFaults, DecoyWindowsBesideTheRealDialogs) {
  Standin s =
      startStandin(L"decoys", L"two-layer.brd", L"--dup-layers-dialog --title-prefix-dialog");
  ASSERT_NE(s.main(), nullptr);
  PostMessageW(s.main(), WM_COMMAND, 32883, 0);
  ASSERT_NE(waitTop(s.pid(), L"Options Layers"), nullptr);
  std::vector<HWND> found;
  harness::waitFor(
      [&] {
        found.clear();
        for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, L"Options Layers"); w;
             w = FindWindowExW(nullptr, w, nullptr, L"Options Layers")) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner == s.pid()) found.push_back(w);
        }
        return found.size() == 2;
      },
      kWaitMs);
  ASSERT_EQ(found.size(), 2u);
  int withList = 0;
  for (HWND w : found) {
    click(GetDlgItem(w, 998), 0, 0);
    if (GetDlgItem(w, 2278)) ++withList;
  }
  EXPECT_EQ(withList, 1);
  std::vector<std::wstring> lines = s.lines();
  EXPECT_EQ(
      std::count(lines.begin(), lines.end(), L"decoy:\"Options Layers\"#998\tWM_LBUTTONUP\t0\t0"),
      1);

  PostMessageW(s.main(), WM_COMMAND, 32784, 0);
  EXPECT_NE(waitTop(s.pid(), L"Design Info"), nullptr);
  EXPECT_NE(waitTop(s.pid(), L"Design Info (old)"), nullptr);
}

// ---------------------------------------------------------------------------

void writeUtf8(const fs::path& path, const std::wstring& text) {
  std::string bytes = harness::narrow(text);
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

TEST(StandinBoardFile, QuotedTextsKeepBlanksQuotesAndBackslashes) {
  fs::path board = harness::freshDir(L"standin-board-src") / L"quoted.brd";
  writeUtf8(board,
            L"\xFEFF# quoted texts\r\n"
            L"design-dir \"D:\\Платы\\ двойные\\\"\r\n"
            L"file-name \"a \"\"b\"\".pcb\"\n"
            L"  # indented comment\n"
            L"layer \"Top\" \"SEA\"\n"
            L"layer \"Plane \"\"A\"\"\" \"PE \"\n"
            L"layer \"#1\" \"\"\n"
            L"units mil\n"
            L"via 100 100 40 20 \"Top\" \"Plane \"\"A\"\"\"\n");
  // A backslash before the closing quote is doubled, as the command-line rules want.
  Standin s = startStandin(L"quoted", board, L"--design-dir \"E:\\x\\\\\"");
  ASSERT_NE(s.main(), nullptr);
  wchar_t title[256];
  GetWindowTextW(s.main(), title, 256);
  EXPECT_STREQ(title, L"P-CAD 2004 PCB - [a \"b\".pcb]");
  PostMessageW(s.main(), WM_COMMAND, 32883, 0);
  HWND layers = waitTop(s.pid(), L"Options Layers");
  ASSERT_NE(layers, nullptr);
  click(GetDlgItem(layers, 998), 0, 0);
  HWND list = GetDlgItem(layers, 2278);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(readCell(list, 1, 0), L"Plane \"A\"");
  EXPECT_EQ(readCell(list, 1, 1), L"PE ");
  EXPECT_EQ(readCell(list, 2, 0), L"#1");
  EXPECT_EQ(readCell(list, 2, 1), L"");
  SendMessageW(layers, WM_CLOSE, 1, 1);

  PostMessageW(s.main(), WM_COMMAND, 32784, 0);
  HWND info = waitTop(s.pid(), L"Design Info");
  ASSERT_NE(info, nullptr);
  wchar_t buf[130] = {};
  SendMessageW(GetDlgItem(info, 1634), WM_GETTEXT, 127, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, L"E:\\x\\");
  EXPECT_EQ(s.lines().back(), L"\"Design Info\"#1634\tWM_GETTEXT\t127\taddr");
}

TEST(StandinBoardFile, FaultyDescriptionsEndTheStartWithCode2) {
  const wchar_t* faulty[] = {
      L"layer \"Top\" \"SEA\n",                                  // unterminated quote
      L"layer \"Top\" \"SEA\"\ntrack \"Bottom\" 0.2 0 0 1 1\n",  // unknown layer
      L"layer \"Top\" \"SEA\"\ntrack \"Top\" 0.2 0 0 1\n",       // odd coordinates
      L"hole 1 1 3,2\n",                                         // not a number
      L"units inch\n",                                           // unknown unit
      L"layer \"Top\" \"SEA\"\nlayer \"Top\" \"SEA\"\n",         // layer declared twice
      L"pads 1 1\n",                                             // unknown record
  };
  fs::path dir = harness::freshDir(L"standin-faulty-src");
  int i = 0;
  for (const wchar_t* text : faulty) {
    fs::path board = dir / (L"faulty" + std::to_wstring(i++) + L".brd");
    writeUtf8(board, text);
    Standin s = startStandin(L"faulty", board);
    EXPECT_EQ(s.main(), nullptr) << harness::narrow(text);
    ASSERT_TRUE(s.process().wait(kWaitMs));
    DWORD code = 0;
    GetExitCodeProcess(s.process().handle(), &code);
    EXPECT_EQ(code, 2u) << harness::narrow(text);
  }
}

}  // namespace
