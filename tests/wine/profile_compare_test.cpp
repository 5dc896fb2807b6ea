// Compares the settings store with the platform's own profile functions on
// one table of files, reads and writes. Where the store deliberately differs,
// the case says why and checks that the store follows its own rule.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "base/ansi_page.h"
#include "base/encoding.h"
#include "base/error.h"
#include "base/int_text.h"
#include "harness.h"

namespace fs = std::filesystem;

namespace {

fs::path caseFile(const std::string& bytes) {
  static const fs::path dir = harness::freshDir(L"profile_compare");
  static int counter = 0;
  const fs::path path = dir / (L"case" + std::to_wstring(counter++) + L".ini");
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The string read as the run-time's ini class does it: a 2048-character buffer.
std::wstring platformString(const fs::path& path, const wchar_t* section, const wchar_t* key,
                            const wchar_t* fallback) {
  wchar_t buf[2048] = {};
  const DWORD n = GetPrivateProfileStringW(section, key, fallback, buf, 2048, path.c_str());
  return std::wstring(buf, n);
}

std::vector<std::wstring> platformKeys(const fs::path& path, const wchar_t* section) {
  std::vector<wchar_t> buf(1 << 20);
  const DWORD n = GetPrivateProfileStringW(section, nullptr, L"", buf.data(),
                                           static_cast<DWORD>(buf.size()), path.c_str());
  std::vector<std::wstring> keys;
  for (DWORD i = 0; i < n;) {
    std::wstring key(buf.data() + i);
    i += static_cast<DWORD>(key.size()) + 1;
    if (!key.empty()) keys.push_back(key);
  }
  return keys;
}

std::string show(const std::wstring& text) { return base::toUtf8(text); }

struct Setup : ::testing::Environment {
  void SetUp() override { base::installSystemAnsiTable(); }
};
const auto* const kSetup = ::testing::AddGlobalTestEnvironment(new Setup);

const std::string kFile =
    "; settings\r\n"
    "[main]\r\n"
    "dw=25\r\n"
    "  dc  =  30  \r\n"
    "Mixed=Case\r\n"
    "eq=a=b\r\n"
    "dq=\"  in quotes  \"\r\n"
    "sq='single'\r\n"
    "half=\"open\r\n"
    "inner=a\"b\"c\r\n"
    "empty=\r\n"
    "hex=0x1F\r\n"
    "hexshort=0x\r\n"
    "word=yes\r\n"
    "trail=12abc\r\n"
    "neg=-4\r\n"
    "twice=1\r\n"
    "twice=2\r\n"
    "\r\n"
    "[pcad]\r\n"
    "dir=C:\\boards\\out\r\n"
    "; AutoSMS=0\r\n"
    "\r\n"
    "[ spaced ]\r\n"
    "k=v\r\n";

}  // namespace

// A documented difference: what the store returns and why it differs.
struct Difference {
  const wchar_t* ours;
  const char* why;
};

TEST(ProfileCompare, StringReads) {
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    const Difference* differs;
  };
  const Case cases[] = {
      {L"main", L"dw", nullptr},    {L"MAIN", L"DW", nullptr},    {L"main", L"dc", nullptr},
      {L"main", L"mixed", nullptr}, {L"main", L"eq", nullptr},    {L"main", L"dq", nullptr},
      {L"main", L"sq", nullptr},    {L"main", L"half", nullptr},  {L"main", L"inner", nullptr},
      {L"main", L"empty", nullptr}, {L"main", L"twice", nullptr}, {L"main", L"missing", nullptr},
      {L"none", L"dw", nullptr},    {L"pcad", L"dir", nullptr},   {L"pcad", L"AutoSMS", nullptr},
      {L"spaced", L"k", nullptr},
  };
  const fs::path path = caseFile(kFile);
  const base::SettingsStore ini(path);
  for (const auto& c : cases) {
    const std::wstring platform = platformString(path, c.section, c.key, L"-");
    const std::wstring ours = ini.readString(c.section, c.key, L"-");
    if (c.differs) {
      EXPECT_EQ(ours, c.differs->ours) << c.differs->why;
    } else {
      EXPECT_EQ(ours, platform) << show(std::wstring(c.section) + L"/" + c.key);
    }
  }
}

TEST(ProfileCompare, IntegerReadsFollowTheStringRead) {
  // The store reads an integer as the run-time's ini class does: the string,
  // then the "0x" rule, then the strict integer conversion.
  const fs::path path = caseFile(kFile);
  const base::SettingsStore ini(path);
  for (const wchar_t* key : {L"dw", L"dc", L"hex", L"hexshort", L"word", L"trail", L"neg", L"empty",
                             L"missing", L"dq"}) {
    const std::wstring text = platformString(path, L"main", key, L"");
    const int32_t expected = text.empty() ? 77 : base::profileInt(text, 77);
    EXPECT_EQ(ini.readInteger(L"main", key, 77), expected) << show(key);
  }
  // The platform's own integer read agrees on plain decimal values...
  for (const wchar_t* key : {L"dw", L"dc", L"missing"}) {
    EXPECT_EQ(ini.readInteger(L"main", key, 77),
              static_cast<int32_t>(GetPrivateProfileIntW(L"main", key, 77, path.c_str())))
        << show(key);
  }
  // ...but takes the leading digits of "12abc" and reads "0x1F" as 0; the
  // store keeps the rule of the program: not an integer gives the default,
  // and a value of more than two characters after "0x" is hexadecimal.
  EXPECT_EQ(ini.readInteger(L"main", L"trail", 77), 77);
  EXPECT_EQ(ini.readInteger(L"main", L"hex", 77), 31);
}

TEST(ProfileCompare, KeyLists) {
  const std::string layers =
      "\xEF\xBB\xBF[layers]\r\n"
      "\xD0\x92\xD0\xB5\xD1\x80\xD1\x85=1,0,1\r\n"
      "  Inner  = 1,6,7\r\n"
      "\r\n"
      "Bottom=1,4,5\r\n"
      "[other]\r\n"
      "x=1\r\n";
  const std::string plain = layers.substr(3);
  for (const std::string& bytes : {plain, std::string(kFile)}) {
    const fs::path path = caseFile(bytes);
    const base::SettingsStore ini(path);
    for (const wchar_t* section : {L"layers", L"LAYERS", L"main", L"none"}) {
      EXPECT_EQ(ini.readSectionKeys(section), platformKeys(path, section)) << show(section);
    }
  }
}

TEST(ProfileCompare, Utf16FileWithCyrillicNames) {
  const std::wstring text =
      L"[layers]\r\nВерхний слой металлизации=1,0,1\r\nНижний слой металлизации=1,4,5\r\n"
      L"[КИРИЛЛИЦА]\r\nКлюч=значение\r\n";
  const fs::path path = caseFile("\xFF\xFE" + base::toUtf16Le(text));
  const base::SettingsStore ini(path);
  EXPECT_EQ(ini.readSectionKeys(L"layers"), platformKeys(path, L"layers"));
  EXPECT_EQ(ini.readString(L"layers", L"Нижний слой металлизации", L"-"),
            platformString(path, L"layers", L"Нижний слой металлизации", L"-"));
  EXPECT_EQ(ini.readString(L"КИРИЛЛИЦА", L"Ключ", L"-"),
            platformString(path, L"КИРИЛЛИЦА", L"Ключ", L"-"));
  // Documented difference: Wine matches names regardless of case for Latin
  // letters only; Windows, and the store, for Cyrillic letters too.
  EXPECT_EQ(ini.readString(L"кириллица", L"КЛЮЧ", L"-"), L"значение");
}

TEST(ProfileCompare, WritesGiveTheSameValues) {
  struct Write {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
  };
  const Write writes[] = {
      {L"main", L"dw", L"40"},   {L"MAIN", L"Mixed", L"other"}, {L"main", L"newkey", L"n"},
      {L"pcad", L"SMS", L"0.2"}, {L"fresh", L"a", L"1"},        {L"main", L"empty", L"filled"},
      {L"main", L"twice", L"3"}, {L"pcad", L"dir", L""},
  };
  const fs::path theirs = caseFile(kFile);
  const fs::path oursPath = caseFile(kFile);
  base::SettingsStore ours(oursPath);
  for (const auto& w : writes) {
    ASSERT_TRUE(WritePrivateProfileStringW(w.section, w.key, w.value, theirs.c_str()));
    ours.writeString(w.section, w.key, w.value);
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, theirs.c_str());  // flush the cache
  for (const wchar_t* section : {L"main", L"pcad", L"fresh", L"spaced"}) {
    const auto keys = platformKeys(theirs, section);
    EXPECT_EQ(ours.readSectionKeys(section), keys) << show(section);
    for (const auto& key : keys) {
      EXPECT_EQ(ours.readString(section, key, L"-"),
                platformString(theirs, section, key.c_str(), L"-"))
          << show(std::wstring(section) + L"/" + key);
    }
  }
  // The platform reads the store's file just as the store does.
  for (const auto& w : writes) {
    EXPECT_EQ(platformString(oursPath, w.section, w.key, L"-"), w.value) << show(w.key);
  }
  // Documented difference: the platform's rewrite drops the blank lines and
  // the blanks around "=" of lines it did not change; the store keeps them.
  const std::string bytes = fileBytes(oursPath);
  EXPECT_NE(bytes.find("  dc  =  30  \r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n\r\n[pcad]"), std::string::npos);
}

TEST(ProfileCompare, WritesIntoNewFileAndUtf16File) {
  const fs::path dir = harness::freshDir(L"profile_compare_new");
  const fs::path theirs = dir / L"theirs.ini";
  const fs::path oursPath = dir / L"ours.ini";
  base::SettingsStore ours(oursPath);
  ASSERT_TRUE(WritePrivateProfileStringW(L"main", L"dw", L"10", theirs.c_str()));
  ours.writeString(L"main", L"dw", L"10");
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, theirs.c_str());
  EXPECT_EQ(fileBytes(oursPath), fileBytes(theirs));

  const std::string utf16 = "\xFF\xFE" + base::toUtf16Le(L"[pcad]\r\ndir=\r\n");
  const fs::path theirs16 = caseFile(utf16);
  const fs::path ours16 = caseFile(utf16);
  ASSERT_TRUE(WritePrivateProfileStringW(L"pcad", L"dir", L"C:\\Платы", theirs16.c_str()));
  base::SettingsStore(ours16).writeString(L"pcad", L"dir", L"C:\\Платы");
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, theirs16.c_str());
  EXPECT_EQ(fileBytes(ours16), fileBytes(theirs16));
  EXPECT_EQ(platformString(ours16, L"pcad", L"dir", L"-"), L"C:\\Платы");
}

TEST(ProfileCompare, CodePageTablesMatchThePlatform) {
  struct Case {
    UINT codePage;
    const std::array<wchar_t, 256>* table;
  };
  for (const Case& c : {Case{1252, &base::cp1252Table()}, Case{1251, &base::cp1251Table()}}) {
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      wchar_t ch = 0;
      ASSERT_EQ(MultiByteToWideChar(c.codePage, 0, &byte, 1, &ch, 1), 1);
      EXPECT_EQ(static_cast<int>((*c.table)[b]), static_cast<int>(ch))
          << c.codePage << " byte " << b;
    }
  }
}
