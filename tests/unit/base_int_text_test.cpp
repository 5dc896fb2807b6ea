// Integer texts as the run-time reads them, the settings variant with its
// "0x" rule, and the error texts raised for bad input.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base/int_text.h"

TEST(IntText, ParsesLikeTheRunTime) {
  struct Case {
    std::wstring text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {L"0", true, 0},
      {L"10", true, 10},
      {L"-7", true, -7},
      {L"+7", true, 7},
      {L"   42", true, 42},
      {L"007", true, 7},
      {L"2147483647", true, 2147483647},
      {L"-2147483648", true, INT32_MIN},
      {L"2147483648", false, 0},
      {L"-2147483649", false, 0},
      {L"99999999999999999999", false, 0},
      {L"$1F", true, 31},
      {L"0x1f", true, 31},
      {L"0X10", true, 16},
      {L"$FFFFFFFF", true, -1},
      {L"-$10", true, -16},
      {L"$100000000", false, 0},
      {L"", false, 0},
      {L"   ", false, 0},
      {L"-", false, 0},
      {L"$", false, 0},
      {L"0x", false, 0},
      {L"12 ", false, 0},
      {L"12abc", false, 0},
      {L"abc", false, 0},
      {L"1.5", false, 0},
      {L"\t5", false, 0},
      {L"--5", false, 0},
      {L"\uFF15", false, 0},  // a full-width digit is no digit
  };
  for (const auto& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(base::parseInt(c.text, value), c.ok) << base::toUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
    EXPECT_EQ(base::strToIntDef(c.text, -99), c.ok ? c.value : -99);
  }
}

TEST(IntText, ProfileRuleForHexadecimal) {
  struct Case {
    std::wstring text;
    int32_t value;
  };
  const Case cases[] = {
      {L"0x10", 16}, {L"0X1a", 26}, {L"0x", -1}, {L"0", 0},    {L"12", 12},
      {L"0xZZ", -1}, {L"word", -1}, {L"-3", -3}, {L"$20", 32}, {L"0x-5", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(base::profileInt(c.text, -1), c.value);
}

TEST(IntText, StrToIntRaisesTheRunTimeText) {
  EXPECT_EQ(base::strToInt(L" 12"), 12);
  try {
    base::strToInt(L"abc");
    FAIL() << "no error";
  } catch (const base::AppError& e) {
    EXPECT_EQ(e.text(), L"'abc' не является целым числом");
    EXPECT_STREQ(e.what(), "'abc' не является целым числом");
  }
}

TEST(AppErrorTexts, ListIndexAndUtf8What) {
  try {
    base::throwListIndex(3);
    FAIL() << "no error";
  } catch (const base::AppError& e) {
    EXPECT_EQ(e.text(), L"Индекс списка вне границ (3)");
  }
  const base::AppError e(L"Ошибка");
  EXPECT_STREQ(e.what(), "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0");
}
