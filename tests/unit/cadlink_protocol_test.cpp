// The editor interface's portable rules: version and build texts, the
// version table, the board parameter messages, the list-view request
// record and the chooser's entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/int_text.h"
#include "cadlink/editor_protocol.h"

namespace {

using cadlink::cutBuildText;
using cadlink::versionFromTitle;

TEST(EditorVersion, ReadsCharactersSevenToTen) {
  struct Case {
    const wchar_t* title;
    int32_t version;
  };
  for (Case c : {Case{L"P-CAD 2002 PCB - [board.pcb]", 2002}, Case{L"P-CAD 2006 PCB", 2006},
                 Case{L"P-CAD 2001 PCB", 2001}, Case{L"xxxxxx2004", 2004}, Case{L"P-CAD 200", 200},
                 Case{L"P-CAD 7", 7}}) {
    EXPECT_EQ(versionFromTitle(c.title), c.version) << std::wstring(c.title).size();
  }
}

TEST(EditorVersion, TitleWithoutANumberThereIsAConversionError) {
  for (const wchar_t* title : {L"Accel PCB editor", L"P-CAD", L"", L"P-CAD 20x2 PCB"}) {
    try {
      versionFromTitle(title);
      ADD_FAILURE() << "no error for a title of " << std::wstring(title).size() << " chars";
    } catch (const base::AppError& e) {
      EXPECT_NE(e.text().find(L"не является целым числом"), std::wstring::npos);
    }
  }
  try {
    versionFromTitle(L"P-CAD 20x2 PCB");
  } catch (const base::AppError& e) {
    EXPECT_EQ(e.text(), L"'20x2' не является целым числом");
  }
}

TEST(BuildText, KeepsCharacter27UpToTheNextToLast) {
  const std::wstring prefix(26, L'.');  // 26 characters the program skips
  struct Case {
    std::wstring text;
    std::wstring kept;
  };
  for (const Case& c :
       {Case{prefix + L"437)", L"437"}, Case{prefix + L"7)", L"7"}, Case{prefix + L")", L""},
        Case{prefix, L""}, Case{L"", L""}, Case{prefix + L"15.20.", L"15.20"}}) {
    EXPECT_EQ(cutBuildText(c.text), c.kept) << c.text.size();
  }
}

TEST(BuildText, ShortBuildTextFailsAsANumber) {
  EXPECT_THROW(base::strToInt(cutBuildText(std::wstring(27, L'x'))), base::AppError);
}

TEST(VersionTable, KnowsThreeVersions) {
  struct Case {
    int32_t version;
    uint32_t command;
    const wchar_t* title;
  };
  for (Case c : {Case{2002, 32927, L"P-CAD 2002 PCB"}, Case{2004, 32927, L"P-CAD 2004 PCB"},
                 Case{2006, 60009, L"P-CAD 2006 PCB"}}) {
    const cadlink::VersionEntry* e = cadlink::findVersion(c.version);
    ASSERT_NE(e, nullptr) << c.version;
    EXPECT_EQ(e->command, c.command);
    EXPECT_EQ(std::wstring(e->title), c.title);
  }
  for (int32_t v : {2001, 2003, 2005, 2007, 0, -1}) EXPECT_EQ(cadlink::findVersion(v), nullptr);
}

TEST(BoardParameters, SwellNotificationsCarryTheFieldAndCode) {
  using Arr = std::array<uint32_t, 5>;
  EXPECT_EQ(cadlink::swellNotifications(cadlink::kSolderMaskSwell),
            (Arr{197606, 16779452, 67111100, 50333884, 33556668}));
  EXPECT_EQ(cadlink::swellNotifications(cadlink::kPlaneSwell),
            (Arr{197606, 16779428, 67111076, 50333860, 33556644}));
  EXPECT_EQ(cadlink::kSolderMaskSwell.notifyLParam, 0x2A0CCEu);
  EXPECT_EQ(cadlink::kPlaneSwell.notifyLParam, 0x4E0D08u);
}

TEST(BoardParameters, ClickPointsPackXLowYHigh) {
  EXPECT_EQ(cadlink::kDesignInfoClick, 655400u);
  EXPECT_EQ(cadlink::kConfigureFirstClick, 655406u);
  EXPECT_EQ(cadlink::kConfigureSecondClick, 655757u);
}

TEST(BoardParameters, GerberDialogTitleFollowsTheVersionText) {
  EXPECT_STREQ(cadlink::gerberDialogTitle(L"2002"), L"File Gerber Out");
  for (const wchar_t* v : {L"2004", L"2006", L"", L"2002 ", L"02002", L"-1"}) {
    EXPECT_STREQ(cadlink::gerberDialogTitle(v), L"File Export Gerber") << v;
  }
}

TEST(ListItemRecord, IsTheEditors32BitLayoutByteByByte) {
  const cadlink::ListItemRecord r = cadlink::listItemRecord(0x00A1B2C0, 0x0102, 1);
  const uint8_t expected[60] = {
      1,    0,    0,    0,     // mask LVIF_TEXT
      0x02, 0x01, 0,    0,     // iItem
      1,    0,    0,    0,     // iSubItem
      0,    0,    0,    0,     // state
      0,    0,    0,    0,     // stateMask
      0xFC, 0xB2, 0xA1, 0x00,  // pszText = block + 60
      0x00, 0x02, 0,    0,     // cchTextMax 512
  };                           // the remaining eight fields are 0
  for (size_t i = 0; i < 60; ++i) EXPECT_EQ(r[i], expected[i]) << "byte " << i;
}

TEST(ListItemRecord, TextPointerWrapsLikeA32BitAddress) {
  const cadlink::ListItemRecord r = cadlink::listItemRecord(0xFFFFFFF0u, 0, 0);
  EXPECT_EQ(r[20], 0x2C);
  EXPECT_EQ(r[21], 0x00);
  EXPECT_EQ(r[22], 0x00);
  EXPECT_EQ(r[23], 0x00);
  EXPECT_EQ(r[4], 0);
  EXPECT_EQ(r[8], 0);
}

TEST(TextBuffer, StopsAtTheFirstNulOrTheLimit) {
  const wchar_t buf[] = {L'a', L'b', 0, L'c', L'd', L'e'};
  EXPECT_EQ(cadlink::textUpToNul(buf, 6), L"ab");
  EXPECT_EQ(cadlink::textUpToNul(buf + 3, 3), L"cde");
  EXPECT_EQ(cadlink::textUpToNul(buf + 2, 4), L"");
  EXPECT_EQ(cadlink::textUpToNul(buf, 1), L"a");
}

// A block as the editor leaves it: the record with the given text pointer
// and "name" at offset 60, "other" at offset 1000, the last unit at 4094 'z'.
std::vector<uint8_t> answeredBlock(uint32_t base, uint32_t pointer) {
  std::vector<uint8_t> b(cadlink::kRemoteBlockSize, 0);
  const cadlink::ListItemRecord r = cadlink::listItemRecord(base, 0, 0);
  std::copy(r.begin(), r.end(), b.begin());
  for (size_t k = 0; k < 4; ++k) b[20 + k] = static_cast<uint8_t>(pointer >> (8 * k));
  auto put = [&b](size_t at, const std::wstring& t) {
    for (size_t i = 0; i < t.size(); ++i) b[at + 2 * i] = static_cast<uint8_t>(t[i]);
  };
  put(60, L"name");
  put(1000, L"other");
  put(4094, L"z");
  return b;
}

TEST(ListCellText, FollowsTheReturnedPointerInsideTheBlockOnly) {
  const uint32_t base = 0x00A10000;
  struct Case {
    uint32_t pointer;
    bool ok;
    std::wstring text;
  } cases[] = {
      {base + 60, true, L"name"},     // the buffer it was given
      {base + 1000, true, L"other"},  // a pointer the list changed
      {base + 4094, true, L"z"},      // the last unit, cut at the block's end
      {base + 20, false, L""},        // into the record
      {base + 4096, false, L""},      // past the block
      {base - 2, false, L""},         // below it (wraps)
      {0, false, L""},                // none
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> b = answeredBlock(base, c.pointer);
    std::wstring text = L"previous";
    EXPECT_EQ(cadlink::cellTextFromBlock(b.data(), b.size(), base, text), c.ok) << c.pointer - base;
    EXPECT_EQ(text, c.text) << c.pointer - base;
  }
}

TEST(ListCellText, TextWithoutNulIsCutAt256Units) {
  std::vector<uint8_t> b = answeredBlock(0x1000, 0x1000 + 60);
  for (size_t i = 60; i < b.size(); i += 2) b[i] = 'x';
  std::wstring text;
  ASSERT_TRUE(cadlink::cellTextFromBlock(b.data(), b.size(), 0x1000, text));
  EXPECT_EQ(text, std::wstring(256, L'x'));
}

TEST(ChooserEntry, JoinsTitleVersionAndBuild) {
  EXPECT_EQ(cadlink::chooserEntry(L"P-CAD 2004 PCB - [a.pcb]", 2004, 215),
            L"P-CAD 2004 PCB - [a.pcb] 2004_215");
  EXPECT_EQ(cadlink::chooserEntry(L"P-CAD 2001 PCB", 2001, -1), L"P-CAD 2001 PCB 2001_-1");
  EXPECT_EQ(cadlink::chooserEntry(L"Плата", 2006, 437), L"Плата 2006_437");
}

}  // namespace
