// UTF-8, UTF-16LE and 8-bit code page conversions: round trips, malformed
// input, and the code page tables being one-to-one over all 256 bytes.
#include <gtest/gtest.h>

#include <set>

#include "base/encoding.h"

namespace {

std::string allBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s.push_back(static_cast<char>(b));
  return s;
}

// Restores the default code page after a test that changes it.
struct AnsiTableGuard {
  ~AnsiTableGuard() { base::setAnsiTable(base::cp1252Table()); }
};

}  // namespace

TEST(Encoding, Utf8DecodesAndEncodes) {
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  const Case cases[] = {
      {"", L""},
      {"abc", L"abc"},
      {"\xD0\x92\xD0\xB5\xD1\x80\xD1\x85", L"Верх"},
      {"\xE2\x82\xAC", L"\u20AC"},
      {"\xF0\x9F\x98\x80", L"\U0001F600"},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(base::fromUtf8(c.bytes), c.text);
    EXPECT_EQ(base::toUtf8(c.text), c.bytes);
  }
}

TEST(Encoding, Utf8StrayBytesSurviveRoundTrip) {
  // Truncated sequences, overlong forms, encoded surrogates, bytes that never
  // start a sequence: each is kept as one character and written back as is.
  const std::string cases[] = {
      "\xFF",        "\xC0\xAF",         "\xE0\x80\xAF", "\xED\xA0\x80",     "\xD0",
      "abc\xE2\x82", "\xF5\x80\x80\x80", "\x80\x80",     "ok\xD0\x92\xFEok",
  };
  for (const auto& bytes : cases) {
    const std::wstring text = base::fromUtf8(bytes);
    EXPECT_EQ(base::toUtf8(text), bytes);
  }
  EXPECT_EQ(base::fromUtf8("\xFF").size(), 1u);
  EXPECT_EQ(base::fromUtf8("ok\xD0\x92\xFEok").substr(0, 3), L"ok\u0412");
}

TEST(Encoding, Utf8AndUtf16AgreeOnAllBytesOfAllPlanes) {
  std::wstring text;
  for (char32_t cp : {0x41u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
      text.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
      text.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      text.push_back(static_cast<wchar_t>(cp));
    }
  }
  EXPECT_EQ(base::fromUtf8(base::toUtf8(text)), text);
  EXPECT_EQ(base::fromUtf16Le(base::toUtf16Le(text)), text);
  // U+10000 is the surrogate pair D800 DC00 in UTF-16.
  EXPECT_NE(base::toUtf16Le(text).find(std::string("\x00\xD8\x00\xDC", 4)), std::string::npos);
}

TEST(Encoding, Utf16LeBytes) {
  EXPECT_EQ(base::toUtf16Le(L"A\u0416"), std::string("A\0\x16\x04", 4));
  EXPECT_EQ(base::fromUtf16Le(std::string("A\0\x16\x04", 4)), L"A\u0416");
  // An odd trailing byte is no unit.
  EXPECT_EQ(base::fromUtf16Le(std::string("A\0B", 3)), L"A");
}

TEST(Encoding, CodePageTablesAreOneToOne) {
  for (const auto* table : {&base::cp1252Table(), &base::cp1251Table()}) {
    std::set<wchar_t> seen(table->begin(), table->end());
    EXPECT_EQ(seen.size(), 256u);
    for (int b = 0; b < 128; ++b) EXPECT_EQ((*table)[b], static_cast<wchar_t>(b));
  }
}

TEST(Encoding, CodePageTableSamples) {
  struct Case {
    const std::array<wchar_t, 256>* table;
    unsigned char byte;
    wchar_t ch;
  };
  const Case cases[] = {
      {&base::cp1252Table(), 0x80, L'\u20AC'}, {&base::cp1252Table(), 0x81, L'\u0081'},
      {&base::cp1252Table(), 0x9F, L'\u0178'}, {&base::cp1252Table(), 0xE9, L'\u00E9'},
      {&base::cp1251Table(), 0xC0, L'\u0410'}, {&base::cp1251Table(), 0xFF, L'\u044F'},
      {&base::cp1251Table(), 0xA8, L'\u0401'}, {&base::cp1251Table(), 0xB8, L'\u0451'},
      {&base::cp1251Table(), 0xB9, L'\u2116'}, {&base::cp1251Table(), 0x98, L'\u0098'},
      {&base::cp1251Table(), 0x88, L'\u20AC'},
  };
  for (const auto& c : cases) EXPECT_EQ((*c.table)[c.byte], c.ch) << int(c.byte);
}

TEST(Encoding, AnsiKeepsEveryByte) {
  AnsiTableGuard guard;
  for (const auto* table : {&base::cp1252Table(), &base::cp1251Table()}) {
    base::setAnsiTable(*table);
    const std::string bytes = allBytes();
    const std::wstring text = base::fromAnsi(bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(base::toAnsi(text), bytes);
    EXPECT_TRUE(base::ansiCanHold(text));
  }
}

TEST(Encoding, AnsiReplacesWhatTheCodePageLacks) {
  AnsiTableGuard guard;
  EXPECT_EQ(base::toAnsi(L"a\u0416b"), "a?b");
  EXPECT_FALSE(base::ansiCanHold(L"\u0416"));
  base::setAnsiTable(base::cp1251Table());
  EXPECT_EQ(base::toAnsi(L"a\u0416b\u00E9"),
            "a\xC6"
            "b?");
  EXPECT_TRUE(base::ansiCanHold(L"Жук"));
  EXPECT_EQ(base::fromAnsi("\xC6\xF3\xEA"), L"Жук");
}
