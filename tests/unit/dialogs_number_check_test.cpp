// The number check of the small dialogs, and the two dialogs' rules built on
// it: the offset dialog's accept-or-fall-back and "Применить" of the board
// parameter dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "base/encoding.h"
#include "dialogs/number_check.h"
#include "dialogs/offset_form.h"
#include "dialogs/param_apply.h"

namespace {

struct CheckCase {
  std::wstring typed;
  bool accepted;
  std::wstring after;  // the edit's text afterwards
};

TEST(Checkedit, AcceptsDecimalNumbersAndLeavesTheRestAlone) {
  const CheckCase cases[] = {
      {L"1.5", true, L"1.5mm"},
      {L"0", true, L"0mm"},
      {L"0.2mm", true, L"0.2mm"},
      {L"-0.05", true, L"-0.05mm"},
      {L"+3", true, L"+3mm"},
      {L"1e3", true, L"1e3mm"},
      {L"1.5E-2mm", true, L"1.5E-2mm"},
      {L" 2 ", true, L" 2 mm"},  // blanks allowed and kept as typed
      {L" 2 mm", true, L" 2 mm"},
      {L".5", true, L".5mm"},
      {L"5.", true, L"5.mm"},
      {L"1,5", false, L"1,5"},  // comma is not the decimal separator
      {L"", false, L""},
      {L"mm", false, L"mm"},
      {L"8mil", false, L"8mil"},
      {L"1.5mmmm", false, L"1.5mmmm"},  // only one "mm" is dropped
      {L"2MM", false, L"2MM"},
      {L"2mm ", false, L"2mm "},
      {L".", false, L"."},
      {L"-", false, L"-"},
      {L"1e", false, L"1e"},
      {L"1e+", false, L"1e+"},
      {L"e3", false, L"e3"},
      {L"1 2", false, L"1 2"},
      {L"0x10", false, L"0x10"},
      {L"INF", false, L"INF"},
      {L"1.2.3", false, L"1.2.3"},
      {L"--1", false, L"--1"},
      {L"١٢", false, L"١٢"},  // digits of other scripts are not decimal digits
  };
  for (const CheckCase& c : cases) {
    std::wstring text = c.typed;
    EXPECT_EQ(dialogs::checkedit(text), c.accepted) << base::toUtf8(c.typed);
    EXPECT_EQ(text, c.after) << base::toUtf8(c.typed);
  }
}

TEST(Checkedit, NormalisedTextPassesAgainUnchanged) {
  for (std::wstring text : {L"1.5", L" 2 ", L"-1e3mm"}) {
    ASSERT_TRUE(dialogs::checkedit(text));
    const std::wstring once = text;
    EXPECT_TRUE(dialogs::checkedit(text));
    EXPECT_EQ(text, once);
  }
}

TEST(OffsetForm, AcceptsNumbersAndReopensWithThem) {
  dialogs::OffsetForm form;
  EXPECT_EQ(form.acceptedX, L"");  // nothing accepted before the first showing
  form.rememberShown();
  form.editX = L"1.5";
  EXPECT_TRUE(form.accept());
  EXPECT_EQ(form.acceptedX, L"1.5mm");
  EXPECT_EQ(form.acceptedY, L"0mm");
  // reopened and confirmed without a change
  form.rememberShown();
  EXPECT_EQ(form.editX, L"1.5mm");
  EXPECT_TRUE(form.accept());
  EXPECT_EQ(form.acceptedX, L"1.5mm");
  EXPECT_EQ(form.acceptedY, L"0mm");
}

TEST(OffsetForm, RefusedEntryPutsBothEditsBack) {
  struct Case {
    std::wstring x, y;
  };
  const Case cases[] = {
      {L"1,5", L"2"}, {L"3", L"1,5"}, {L"", L"0"}, {L"mm", L"0"}, {L"7", L"8mil"}};
  for (const Case& c : cases) {
    dialogs::OffsetForm form;
    form.editX = L"0.5mm";
    form.editY = L"0";
    form.rememberShown();
    form.editX = c.x;
    form.editY = c.y;
    EXPECT_FALSE(form.accept());
    // an X that was already normalised is reset as well
    EXPECT_EQ(form.editX, L"0.5mm") << base::toUtf8(c.x) << " / " << base::toUtf8(c.y);
    EXPECT_EQ(form.editY, L"0");
    EXPECT_EQ(form.acceptedX, L"0.5mm");
    EXPECT_EQ(form.acceptedY, L"0");
  }
}

TEST(OffsetForm, CloseButtonForgetsTheEdits) {
  dialogs::OffsetForm form;
  form.rememberShown();
  form.editX = L"4";
  form.editY = L"5";
  form.revert();
  EXPECT_EQ(form.editX, L"0");
  EXPECT_EQ(form.editY, L"0");
  EXPECT_EQ(form.acceptedX, L"0");
  EXPECT_EQ(form.acceptedY, L"0");
}

TEST(ApplyParameter, WritesTheCheckedEntryAndShowsWhatTheEditorHolds) {
  struct Case {
    std::wstring typed, written;
  };
  const Case cases[] = {
      {L"0.2", L"0.2mm"}, {L"0.2mm", L"0.2mm"}, {L"8mil", L"8mil"}, {L"", L""}, {L"1,5", L"1,5"}};
  for (const Case& c : cases) {
    std::vector<std::wstring> calls;
    const std::wstring shown = dialogs::applyParameter(
        c.typed, [&](const std::wstring& v) { calls.push_back(L"write " + v); },
        [&] {
          calls.push_back(L"read");
          return std::wstring(L"editor's value");
        });
    const std::vector<std::wstring> expected = {L"write " + c.written, L"read"};
    EXPECT_EQ(calls, expected) << base::toUtf8(c.typed);
    EXPECT_EQ(shown, L"editor's value");
  }
}

}  // namespace
