// The editor link's dialog operations against the editor stand-in: the
// exact messages each operation leaves in the editor's journal, and the
// values it reads back.
#include <gtest/gtest.h>

#include "base/error.h"
#include "cadlink/board_params_win.h"
#include "cadlink/design_info_win.h"
#include "cadlink/editor_access_win.h"
#include "cadlink/editor_misses.h"
#include "cadlink/editor_protocol.h"
#include "cadlink/editor_version_win.h"
#include "cadlink_fixture.h"

namespace {

using cadlink_test::control;
using cadlink_test::line;
using cadlink_test::quoted;
using cadlink_test::Standin;
using Lines = std::vector<std::wstring>;

const std::wstring kDesign = L"Design Info";
const std::wstring kConfigure = L"Options Configure";
const std::wstring kApertures = L"Aperture Assignments";

Lines designInfoJournal(int field) {
  return {line(L"main", L"WM_COMMAND", 32784, 0),
          line(control(kDesign, 998), L"WM_LBUTTONDOWN", 1, 655400),
          line(control(kDesign, 998), L"WM_LBUTTONUP", 0, 655400),
          line(control(kDesign, field), L"WM_GETTEXT", L"127", L"addr"),
          line(quoted(kDesign), L"WM_COMMAND", 1, 0)};
}

Lines configureOpening() {
  return {line(L"main", L"WM_COMMAND", 32879, 0),
          line(control(kConfigure, 998), L"WM_LBUTTONDOWN", 1, 655406),
          line(control(kConfigure, 998), L"WM_LBUTTONUP", 0, 655406),
          line(control(kConfigure, 2618), L"BM_CLICK", 0, 0),
          line(control(kConfigure, 998), L"WM_LBUTTONDOWN", 1, 655757),
          line(control(kConfigure, 998), L"WM_LBUTTONUP", 0, 655757)};
}

Lines swellRead(int field) {
  Lines l = configureOpening();
  l.push_back(line(control(kConfigure, field), L"WM_GETTEXT", L"127", L"addr"));
  l.push_back(line(quoted(kConfigure), L"WM_COMMAND", 1, 0));
  return l;
}

Lines swellWrite(int field, unsigned long lParam, const std::wstring& value,
                 const std::vector<unsigned long>& notifications) {
  Lines l = configureOpening();
  l.push_back(line(control(kConfigure, field), L"WM_SETTEXT", L"0", L"\"" + value + L"\""));
  for (unsigned long wParam : notifications) {
    l.push_back(line(quoted(kConfigure), L"WM_COMMAND", wParam, lParam));
  }
  l.push_back(line(quoted(kConfigure), L"WM_COMMAND", 1, 0));
  return l;
}

Lines apertureOpening(const std::wstring& gerberTitle) {
  return {line(L"main", L"WM_COMMAND", 32786, 0),
          line(quoted(gerberTitle), L"WM_COMMAND", 2380, 0)};
}

Lines apertureClosing(const std::wstring& gerberTitle) {
  return {line(quoted(kApertures), L"WM_COMMAND", 1, 0),
          line(quoted(gerberTitle), L"WM_COMMAND", 1, 0)};
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(CadlinkDesignInfo, ReadsDirectoryAndNameEachWithItsOwnDialog) {
  Standin editor(L"design-info", L"");
  auto link = cadlink_test::attach(editor.main());
  EXPECT_EQ(cadlink::readDesignDir(link), L"C:\\boards\\");
  EXPECT_EQ(cadlink::readDesignFileName(link), L"test-board.pcb");
  EXPECT_JOURNAL(editor.lines(), designInfoJournal(1634) + designInfoJournal(1631));
  // One window search and three control searches per read.
  EXPECT_EQ(link.counters.windowSearches, 2u);
  EXPECT_EQ(link.counters.controlSearches, 6u);
}

TEST(CadlinkDesignInfo, EmptyFieldsGiveTheDefaultDirectoryAndAnEmptyName) {
  Standin editor(L"design-empty", L"--empty-fields");
  auto link = cadlink_test::attach(editor.main());
  EXPECT_EQ(cadlink::readDesignDir(link), L"c:\\");
  EXPECT_EQ(cadlink::readDesignFileName(link), L"");
}

TEST(CadlinkDesignInfo, LongDesignDirectoryIsReadWhole) {
  Standin editor(L"design-long", L"--long-texts");
  auto link = cadlink_test::attach(editor.main());
  bool whole = false;
  const std::wstring dir = cadlink::readDesignDir(link, &whole);
  EXPECT_TRUE(whole);
  // The same field as another reader sees it.
  PostMessageW(editor.main(), WM_COMMAND, 32784, 0);
  HWND dialog = cadlink::findWindow(link, L"Design Info");
  ASSERT_NE(dialog, nullptr);
  HWND field = cadlink::findControl(link, dialog, 1634);
  std::wstring full(static_cast<size_t>(SendMessageW(field, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  full.resize(static_cast<size_t>(
      SendMessageW(field, WM_GETTEXT, full.size(), reinterpret_cast<LPARAM>(&full[0]))));
  SendMessageW(dialog, WM_COMMAND, 1, 0);
  EXPECT_EQ(full.size(), 210u);
  EXPECT_EQ(dir, full);
}

TEST(CadlinkDesignInfo, TitleThatOnlyBeginsWithTheSearchedTextIsNotTaken) {
  Standin editor(L"design-prefix", L"--title-prefix-dialog");
  auto link = cadlink_test::attach(editor.main());
  EXPECT_EQ(cadlink::readDesignDir(link), L"C:\\boards\\");
  for (const std::wstring& l : editor.lines()) {
    EXPECT_EQ(l.find(L"decoy:"), std::wstring::npos) << base::toUtf8(l);
  }
}

TEST(CadlinkDesignInfo, DialogThatNeverOpensEndsItsControlSearchesAtOnce) {
  Standin editor(L"design-never", L"--never-open \"Design Info\"");
  auto link = cadlink_test::attach(editor.main(), 0);
  bool whole = true;
  EXPECT_EQ(cadlink::readDesignDir(link, &whole), L"c:\\");
  EXPECT_FALSE(whole) << "a directory that was never read is not known";
  EXPECT_EQ(link.counters.windowLookups, 1000u);
  EXPECT_EQ(link.counters.controlSearches, 3u);
  EXPECT_EQ(link.counters.controlLookups, 0u);
  EXPECT_JOURNAL(editor.lines(), (Lines{line(L"main", L"WM_COMMAND", 32784, 0)}));
}

TEST(CadlinkDesignInfo, WhileWatchedADialogThatNeverOpenedIsNotWaitedForAgain) {
  Standin editor(L"design-watched", L"--never-open \"Design Info\"");
  auto link = cadlink_test::attach(editor.main(), 0);
  link.misses.start();
  EXPECT_EQ(cadlink::readDesignDir(link), L"c:\\");
  EXPECT_EQ(cadlink::readDesignFileName(link), L"");
  EXPECT_EQ(link.counters.windowLookups, 1000u) << "the second read did not wait";
  link.windowDelayMs = link.controlDelayMs = 5;  // paced: the dialog that opens is found
  EXPECT_EQ(cadlink::readSolderMaskSwell(link), L"0.1mm");
  link.misses.stop();
  EXPECT_EQ(link.misses.missingWindows(), (Lines{L"Design Info"}));
  EXPECT_EQ(link.counters.windowSearches, 3u);
  link.windowDelayMs = link.controlDelayMs = 0;
  // not watched: every read waits on its own again
  link.counters = {};
  EXPECT_EQ(cadlink::readDesignFileName(link), L"");
  EXPECT_EQ(link.counters.windowLookups, 1000u);
}

TEST(CadlinkDesignInfo, EditorThatHangsInItsDialogLeavesTheDirectoryUnread) {
  Standin editor(L"design-hang", L"--hang-after \"Design Info\"");
  auto link = cadlink_test::attach(editor.main());
  link.misses.start();
  bool whole = true;
  EXPECT_EQ(cadlink::readDesignDir(link, &whole), L"c:\\");
  EXPECT_FALSE(whole);
  EXPECT_GT(link.misses.count(), 0u) << "the unanswered messages are noted";
  link.misses.stop();
}

TEST(CadlinkDesignInfo, EditorThatExitsDuringTheWaitEndsTheSearches) {
  Standin editor(L"design-exit", L"--exit-on \"Design Info\"");
  auto link = cadlink_test::attach(editor.main(), 10);
  EXPECT_EQ(cadlink::readDesignDir(link), L"c:\\");
  EXPECT_TRUE(editor.process().wait(5000));
  // Without the editor every search stops after its first failed lookup
  // once the main window is gone, instead of spending its 1000 tries.
  EXPECT_LT(link.counters.windowLookups, 1000u);
  EXPECT_EQ(link.counters.controlLookups, 0u);
}

TEST(CadlinkSwells, ReadBothSwells) {
  Standin editor(L"swell-read", L"");
  auto link = cadlink_test::attach(editor.main());
  EXPECT_EQ(cadlink::readSolderMaskSwell(link), L"0.1mm");
  EXPECT_EQ(cadlink::readPlaneSwell(link), L"0.25mm");
  EXPECT_JOURNAL(editor.lines(), swellRead(2236) + swellRead(2212));
  EXPECT_EQ(link.counters.controlSearches, 12u);
}

TEST(CadlinkSwells, WritesAreTakenOverAndReadBack) {
  struct Case {
    bool solderMask;
    std::wstring value;
  };
  for (const Case& c :
       {Case{true, L"0.3mm"}, Case{false, L"12mil"}, Case{true, L""}, Case{false, L"1,5 мм"}}) {
    Standin editor(L"swell-write", L"");
    auto link = cadlink_test::attach(editor.main());
    if (c.solderMask) {
      cadlink::writeSolderMaskSwell(link, c.value);
      EXPECT_JOURNAL(editor.lines(), swellWrite(2236, 2755790, c.value,
                                                {197606, 16779452, 67111100, 50333884, 33556668}));
      EXPECT_EQ(cadlink::readSolderMaskSwell(link), c.value);
      EXPECT_EQ(cadlink::readPlaneSwell(link), L"0.25mm");
    } else {
      cadlink::writePlaneSwell(link, c.value);
      EXPECT_JOURNAL(editor.lines(), swellWrite(2212, 5115144, c.value,
                                                {197606, 16779428, 67111076, 50333860, 33556644}));
      EXPECT_EQ(cadlink::readPlaneSwell(link), c.value);
      EXPECT_EQ(cadlink::readSolderMaskSwell(link), L"0.1mm");
    }
  }
}

TEST(CadlinkSwells, LongSwellIsCutAndMissingDialogReadsEmpty) {
  {
    Standin editor(L"swell-long", L"--long-texts");
    auto link = cadlink_test::attach(editor.main());
    EXPECT_EQ(cadlink::readSolderMaskSwell(link).size(), 126u);
  }
  {
    Standin editor(L"swell-never", L"--never-open \"Options Configure\"");
    auto link = cadlink_test::attach(editor.main(), 0);
    EXPECT_EQ(cadlink::readPlaneSwell(link), L"");
    EXPECT_EQ(link.counters.windowLookups, 1000u);
    EXPECT_EQ(link.counters.controlLookups, 0u);
  }
}

TEST(CadlinkAperture, GerberDialogTitleFollowsTheVersion) {
  struct Case {
    std::wstring version;
    std::wstring gerberTitle;
  };
  for (const Case& c : {Case{L"2002", L"File Gerber Out"}, Case{L"2004", L"File Export Gerber"},
                        Case{L"2006", L"File Export Gerber"}}) {
    Standin editor(L"aperture-" + c.version, L"--version " + c.version);
    auto link = cadlink_test::attach(editor.main());
    link.editorVersion = c.version;
    EXPECT_EQ(cadlink::readDrawApertureSize(link), L"0.2mm") << base::toUtf8(c.version);
    EXPECT_JOURNAL(editor.lines(),
                   apertureOpening(c.gerberTitle) +
                       Lines{line(control(kApertures, 2137), L"WM_GETTEXT", L"127", L"addr")} +
                       apertureClosing(c.gerberTitle));
    editor.mark();
    cadlink::writeDrawApertureSize(link, L"0.15mm");
    EXPECT_JOURNAL(editor.lines(),
                   apertureOpening(c.gerberTitle) +
                       Lines{line(control(kApertures, 2137), L"WM_SETFOCUS", 0, 0),
                             line(control(kApertures, 2137), L"WM_LBUTTONDBLCLK", 1, 0),
                             line(control(kApertures, 2137), L"WM_SETTEXT", L"0", L"\"0.15mm\""),
                             line(quoted(kApertures), L"WM_KEYDOWN", 13, 0),
                             line(quoted(kApertures), L"WM_KEYUP", 13, 0)} +
                       apertureClosing(c.gerberTitle));
    EXPECT_EQ(cadlink::readDrawApertureSize(link), L"0.15mm");
  }
}

TEST(CadlinkAperture, WrongGerberTitleReadsEmpty) {
  Standin editor(L"aperture-wrong", L"--version 2004");
  auto link = cadlink_test::attach(editor.main(), 0);
  link.editorVersion = L"2002";  // waits for "File Gerber Out", which this editor never opens
  EXPECT_EQ(cadlink::readDrawApertureSize(link), L"");
  // no wait for the apertures of a Gerber dialog that was not found
  EXPECT_EQ(link.counters.windowLookups, 1000u);
  // Nothing is posted to a Gerber dialog that was not found.
  EXPECT_JOURNAL(editor.lines(), (Lines{line(L"main", L"WM_COMMAND", 32786, 0)}));
}

TEST(CadlinkVersion, MainCopyReadsTheBuildAndClosesWithOk) {
  struct Case {
    std::wstring options;
    int32_t version;
    uint32_t command;
    int32_t build;
  };
  for (const Case& c : {Case{L"--version 2002", 2002, 32927, 101},
                        Case{L"--version 2004 --build 7", 2004, 32927, 7},
                        Case{L"--version 2006", 2006, 60009, 437}}) {
    Standin editor(L"build", c.options);
    auto link = cadlink_test::attach(editor.main());
    EXPECT_EQ(cadlink::versionFromTitle(harness::textOf(editor.main())), c.version);
    editor.mark();
    EXPECT_EQ(cadlink::readEditorBuild(link, c.version), c.build);
    const std::wstring title = L"P-CAD " + std::to_wstring(c.version) + L" PCB";
    EXPECT_JOURNAL(editor.lines(),
                   (Lines{line(L"main", L"WM_COMMAND", c.command, 0),
                          line(control(title, 1287), L"WM_GETTEXT", L"127", L"addr"),
                          line(quoted(title), L"WM_COMMAND", 1, 0)}));
  }
}

TEST(CadlinkVersion, UnknownVersionHasBuildMinusOneAndSendsNothing) {
  Standin editor(L"build-2001", L"--version 2001");
  auto link = cadlink_test::attach(editor.main());
  EXPECT_EQ(cadlink::versionFromTitle(harness::textOf(editor.main())), 2001);
  editor.mark();
  EXPECT_EQ(cadlink::readEditorBuild(link, 2001), -1);
  EXPECT_EQ(cadlink::readCandidateBuild(link, editor.main(), 2001), -1);
  EXPECT_JOURNAL(editor.lines(), Lines{});
}

TEST(CadlinkVersion, BuildWindowThatNeverOpensIsAConversionError) {
  Standin editor(L"build-never", L"--version 2004 --never-open \"P-CAD 2004 PCB\"");
  auto link = cadlink_test::attach(editor.main(), 0);
  EXPECT_THROW(cadlink::readEditorBuild(link, 2004), base::AppError);
}

TEST(CadlinkPrimitives, WindowTextIsCutAndNullHandleIsEmpty) {
  cadlink::EditorLink link;
  EXPECT_EQ(cadlink::readWindowText(link, nullptr), L"");
  HWND edit = CreateWindowExW(0, L"EDIT", std::wstring(200, L'ж').c_str(), WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(cadlink::readWindowText(link, edit), std::wstring(126, L'ж'));
  EXPECT_EQ(cadlink::readCandidateTitle(link, edit), std::wstring(126, L'ж'));
  DestroyWindow(edit);
}

TEST(CadlinkPrimitives, CloseWindowEndsWhenTheWindowIsGone) {
  Standin editor(L"closewindow", L"--version 2004");
  auto link = cadlink_test::attach(editor.main());
  PostMessageW(editor.main(), WM_COMMAND, 32927, 0);
  HWND w = cadlink::findCandidateWindow(link, L"P-CAD 2004 PCB", editor.main());
  ASSERT_NE(w, nullptr);
  cadlink::closeWindow(link, w);
  EXPECT_FALSE(IsWindow(w));
  const Lines l = editor.lines();
  ASSERT_FALSE(l.empty());
  EXPECT_EQ(l.back(), line(quoted(L"P-CAD 2004 PCB"), L"WM_CLOSE", 0, 0));
}

}  // namespace
