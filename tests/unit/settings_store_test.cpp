// The settings store against the profile format's rules: reading values,
// integers and booleans; key lists; writes that change only their own line;
// encodings; bad files that must neither crash nor hang; and the defaults
// the program reads for missing keys.
#include "base/settings_store.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/settings_keys.h"
#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"

namespace fs = std::filesystem;
using testfiles::readBytes;
using testfiles::writeBytes;

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  testfiles::TempDir dir{"settings"};
  fs::path path = dir / "main.ini";
  base::SettingsStore ini{path};
};

}  // namespace

TEST_F(SettingsStoreTest, ReadsStringsByTheFormatRules) {
  // UTF-8 with its mark, so that the Cyrillic names below are what they say.
  writeBytes(path,
             "\xEF\xBB\xBFtop=outside any section\r\n"
             "[Main]\r\n"
             "plain=abc\r\n"
             "  spaced  =   a b c   \r\n"
             "tabbed\t=\tx\t\r\n"
             "eq=a=b=c\r\n"
             "dq=\"  quoted  \"\r\n"
             "sq='single'\r\n"
             "mixed=\"a'\r\n"
             "inner=a\"b\"c\r\n"
             "lonely=\"\r\n"
             "empty=\r\n"
             "twice=first\r\n"
             "twice=second\r\n"
             "; comment=not a key\r\n"
             "no equals sign here\r\n"
             "=no key\r\n"
             "[ other ]  trailing\r\n"
             "plain=other section\r\n"
             "[main]\r\n"
             "later=second part of main\r\n"
             "[КИРИЛЛИЦА]\r\n"
             "Ключ=значение\r\n");
  struct Case {
    std::wstring section, key, expected;
  };
  const Case cases[] = {
      {L"main", L"plain", L"abc"},
      {L"MAIN", L"PLAIN", L"abc"},
      {L"main", L"spaced", L"a b c"},
      {L"main", L"tabbed", L"x"},
      {L"main", L"eq", L"a=b=c"},
      {L"main", L"dq", L"  quoted  "},
      {L"main", L"sq", L"single"},
      {L"main", L"mixed", L"\"a'"},
      {L"main", L"inner", L"a\"b\"c"},
      {L"main", L"lonely", L"\""},
      {L"main", L"empty", L""},
      {L"main", L"twice", L"first"},
      {L"main", L"; comment", L"-"},
      {L"main", L"no equals sign here", L"-"},
      {L"main", L"top", L"-"},
      {L"main", L"later", L"second part of main"},
      {L"other", L"plain", L"other section"},
      {L"кириллица", L"КЛЮЧ", L"значение"},
      {L"missing", L"plain", L"-"},
      {L"main", L"missing", L"-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.readString(c.section, c.key, L"-"), c.expected)
        << base::toUtf8(c.section + L"/" + c.key);
  }
}

TEST_F(SettingsStoreTest, CutsLongValuesTo2047Characters) {
  const std::string longValue(5000, 'v');
  writeBytes(path, "[a]\nk=" + longValue + "\nq=\"" + std::string(2046, 'w') + "x\"\n");
  EXPECT_EQ(ini.readString(L"a", L"k", L""), std::wstring(2047, L'v'));
  EXPECT_EQ(ini.readString(L"a", L"q", L""), std::wstring(2046, L'w') + L"x");
}

TEST_F(SettingsStoreTest, ReadsIntegersAndBooleans) {
  writeBytes(path,
             "[pcad]\n"
             "dec=25\n"
             "neg=-3\n"
             "hex=0x1F\n"
             "HEX=0X1f\n"
             "short=0x\n"
             "badhex=0xZZ\n"
             "dollar=$10\n"
             "word=yes\n"
             "trail=12abc\n"
             "empty=\n"
             "huge=4294967296\n"
             "quoted=\"7\"\n"
             "AutoSMS=2\n"
             "AutoPS=word\n"
             "CleanGRB=0\n"
             "errcheck=7\n");
  struct Case {
    std::wstring key;
    int32_t expected;
  };
  const Case ints[] = {
      {L"dec", 25},    {L"neg", -3},    {L"hex", 31},     {L"hex", 31},     {L"short", 99},
      {L"badhex", 99}, {L"dollar", 16}, {L"word", 99},    {L"trail", 99},   {L"empty", 99},
      {L"huge", 99},   {L"quoted", 7},  {L"errcheck", 7}, {L"missing", 99},
  };
  for (const auto& c : ints) {
    EXPECT_EQ(ini.readInteger(L"pcad", c.key, 99), c.expected) << base::toUtf8(c.key);
  }
  EXPECT_TRUE(ini.readBool(L"pcad", L"AutoSMS", false));
  EXPECT_TRUE(ini.readBool(L"pcad", L"AutoPS", true));
  EXPECT_FALSE(ini.readBool(L"pcad", L"AutoPS", false));
  EXPECT_FALSE(ini.readBool(L"pcad", L"CleanGRB", true));
  EXPECT_TRUE(ini.readBool(L"pcad", L"neg", false));
  EXPECT_TRUE(ini.readBool(L"pcad", L"missing", true));
}

// For missing keys the program takes 10 ms delays, no automatic closing, the
// design's own directory, empty swells written into the editor, clean-up on
// and "ask" on driver errors; a negative stored delay is none.
TEST_F(SettingsStoreTest, ProgramReadsTheDefaultsOfMissingKeys) {
  using namespace base;
  // dw, dc, autoclose, dir, SMS, PS, AutoSMS, AutoPS, CleanGRB, errcheck
  using Values = std::tuple<int32_t, int32_t, bool, std::wstring, std::wstring, std::wstring, bool,
                            bool, bool, int32_t>;
  const auto valuesOf = [](const base::SettingsStore& s) {
    return Values{readDelay(s, kWindowDelay),       readDelay(s, kControlDelay),
                  readSetting(s, kAutoClose),       readSetting(s, kOutputDir),
                  readSetting(s, kSolderMaskSwell), readSetting(s, kPlaneSwell),
                  readSetting(s, kAutoSms),         readSetting(s, kAutoPs),
                  readSetting(s, kCleanGrb),        readSetting(s, kErrorChoice)};
  };
  const Values defaults{10, 10, false, L"", L"", L"", true, true, true, 2};
  EXPECT_EQ(valuesOf(ini), defaults);
  EXPECT_TRUE(ini.readSectionKeys(L"layers").empty());
  EXPECT_FALSE(fs::exists(path));  // reading never creates the file
  EXPECT_EQ(valuesOf(base::SettingsStore(dir.path())), defaults);
  writeBytes(path, "[layers]\nTop=1,0,1\n");
  EXPECT_EQ(valuesOf(ini), defaults);
  writeBytes(path,
             "[MAIN]\nDW=25\ndc=-5\nautoclose=1\n[pcad]\ndir=gerber\nSMS=0.1\nPS=0.2\n"
             "AutoSMS=0\nAutoPS=0\nCleanGRB=0\nerrcheck=0\n");
  EXPECT_EQ(valuesOf(ini), Values(25, 0, true, L"gerber", L"0.1", L"0.2", false, false, false, 0));
}

TEST_F(SettingsStoreTest, ListsSectionKeysInFileOrder) {
  writeBytes(path,
             "\xEF\xBB\xBF[layers]\n"
             "  Верх = 1,0,1\n"
             "; a comment\n"
             "\n"
             "Inner=1,6,7\n"
             "not a key\n"
             "Inner=again\n"
             "[other]\n"
             "x=1\n"
             "[LAYERS]\n"
             "Низ=1,4,5\n");
  EXPECT_EQ(ini.readSectionKeys(L"Layers"),
            (std::vector<std::wstring>{L"Верх", L"Inner", L"Inner", L"Низ"}));
  EXPECT_TRUE(ini.readSectionKeys(L"none").empty());
}

TEST_F(SettingsStoreTest, ManyKeysWithoutLimit) {
  std::string text = "[layers]\r\n";
  for (int i = 0; i < 3000; ++i)
    text += "key" + std::to_string(i) + "=" + std::string(40, 'x') + "\r\n";
  writeBytes(path, text);
  const auto keys = ini.readSectionKeys(L"layers");
  ASSERT_EQ(keys.size(), 3000u);
  EXPECT_EQ(keys[2999], L"key2999");
}

TEST_F(SettingsStoreTest, WritesChangeOnlyTheirOwnLine) {
  struct Case {
    const char* name;
    std::string before;
    std::wstring section, key, value;
    std::string after;
  };
  const Case cases[] = {
      {"replace keeps blanks and key spelling", "; top\r\n[main]\r\n  DW = 10\r\n\r\ndc=10\r\n",
       L"main", L"dw", L"25", "; top\r\n[main]\r\n  DW = 25\r\n\r\ndc=10\r\n"},
      {"replace only the first of two", "[a]\nk=1\nk=2\n", L"a", L"k", L"3",
       "[a]\r\nk=3\r\nk=2\r\n"},
      {"new key after the last key of its section", "[main]\ndw=1\n\n; pcad\n[pcad]\nx=1\n",
       L"main", L"dc", L"5", "[main]\r\ndw=1\r\ndc=5\r\n\r\n; pcad\r\n[pcad]\r\nx=1\r\n"},
      {"new key in an empty section", "[main]\n[pcad]\n", L"main", L"dw", L"1",
       "[main]\r\ndw=1\r\n[pcad]\r\n"},
      {"new key goes to the first part of a split section", "[a]\nx=1\n[b]\n[A]\ny=2\n", L"a", L"z",
       L"3", "[a]\r\nx=1\r\nz=3\r\n[b]\r\n[A]\r\ny=2\r\n"},
      {"new section at the end", "[main]\ndw=1", L"pcad", L"dir", L"gerber",
       "[main]\r\ndw=1\r\n\r\n[pcad]\r\ndir=gerber\r\n"},
      {"new section after a trailing blank line", "[main]\r\n\r\n", L"pcad", L"SMS", L"0.1",
       "[main]\r\n\r\n[pcad]\r\nSMS=0.1\r\n"},
      {"new file", "", L"main", L"dw", L"10", "[main]\r\ndw=10\r\n"},
      {"empty value", "[a]\nk=1\n", L"a", L"k", L"", "[a]\r\nk=\r\n"},
      {"value that a read would trim is quoted", "", L"a", L"k", L" x ", "[a]\r\nk=\" x \"\r\n"},
      {"value in quotes keeps them", "", L"a", L"k", L"'q'", "[a]\r\nk=\"'q'\"\r\n"},
      {"line breaks in a value cannot add lines", "", L"a", L"k", L"1\r\n[x]",
       "[a]\r\nk=1  [x]\r\n"},
      {"ANSI bytes of other lines stay", "[l]\r\n\xC2\xE5\xF0\xF5=1,0,1\r\n[m]\r\n", L"m", L"k",
       L"v", "[l]\r\n\xC2\xE5\xF0\xF5=1,0,1\r\n[m]\r\nk=v\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(path);
    if (std::string(c.name) != "new file") writeBytes(path, c.before);
    ini.writeString(c.section, c.key, c.value);
    EXPECT_EQ(readBytes(path), c.after);
    if (c.value.find(L'\n') == std::wstring::npos) {
      EXPECT_EQ(ini.readString(c.section, c.key, L"-"), c.value);
    }
  }
}

TEST_F(SettingsStoreTest, SettingsDialogWritesKeepForeignContent) {
  const std::string layers =
      "[layers]\r\n"
      "Top=1,0,1\r\n"
      "Inner=1,6,7\r\n";
  writeBytes(path, "; shipped with the program\r\n" + layers + "\r\n[pcad]\r\nunknown = kept \r\n");
  ini.writeString(L"pcad", L"dir", L"gerber");
  ini.writeString(L"pcad", L"SMS", L"0.1");
  ini.writeString(L"pcad", L"PS", L"");
  ini.writeBool(L"pcad", L"CleanGRB", true);
  ini.writeInteger(L"main", L"dw", 20);
  ini.writeInteger(L"main", L"dc", -5);
  ini.writeBool(L"main", L"autoclose", false);
  ini.writeBool(L"pcad", L"AutoSMS", false);
  ini.writeBool(L"pcad", L"AutoPS", true);
  ini.writeInteger(L"pcad", L"errcheck", 1);
  EXPECT_EQ(readBytes(path),
            "; shipped with the program\r\n" + layers +
                "\r\n[pcad]\r\nunknown = kept \r\ndir=gerber\r\nSMS=0.1\r\nPS=\r\nCleanGRB=1\r\n"
                "AutoSMS=0\r\nAutoPS=1\r\nerrcheck=1\r\n"
                "\r\n[main]\r\ndw=20\r\ndc=-5\r\nautoclose=0\r\n");
  EXPECT_EQ(ini.readInteger(L"main", L"dc", 10), -5);
  EXPECT_EQ(ini.readSectionKeys(L"layers"), (std::vector<std::wstring>{L"Top", L"Inner"}));
}

TEST_F(SettingsStoreTest, KeepsTheEncodingItRead) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"UTF-16", std::string("\xFF\xFE[\0a\0]\0\n\0", 10),
       std::string("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0\x16\x04\r\0\n\0", 22)},
      {"UTF-8", "\xEF\xBB\xBF[a]\n", "\xEF\xBB\xBF[a]\r\nk=\xD0\x96\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(path, c.before);
    ini.writeString(L"a", L"k", L"Ж");
    EXPECT_EQ(readBytes(path), c.after);
    EXPECT_EQ(ini.readString(L"A", L"K", L""), L"Ж");
  }
}

TEST_F(SettingsStoreTest, AnsiFileTakesUtf16WhenTheCodePageCannotHoldAValue) {
  writeBytes(path, "[pcad]\r\nold=caf\xE9\r\n");
  ini.writeString(L"pcad", L"dir", L"C:\\Платы");
  const std::string bytes = readBytes(path);
  ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ini.readString(L"pcad", L"dir", L""), L"C:\\Платы");
  EXPECT_EQ(ini.readString(L"pcad", L"old", L""), L"caf\u00E9");
}

TEST_F(SettingsStoreTest, RejectsNamesThatWouldBreakTheFile) {
  const std::pair<std::wstring, std::wstring> bad[] = {
      {L"", L"k"},
      {L"a]b", L"k"},
      {L"a", L""},
      {L"a", L"k=v"},
      {L"a", L"k\nx"},
      {L"a", L"[k"},
      // a read trims the names, so it would never find these again
      {L"a", L"k "},
      {L"\ta", L"k"},
  };
  for (const auto& [section, key] : bad) {
    EXPECT_THROW(ini.writeString(section, key, L"v"), base::AppError);
  }
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SettingsStoreTest, BadFilesNeitherCrashNorHang) {
  // Byte i is 239 i mod 256, so a "[" always follows an "l": no section line.
  std::string junk;
  for (int i = 0; i < 100000; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
  const std::vector<std::wstring> none, justDw{L"dw"};
  struct Case {
    std::string bytes;
    int32_t dw;  // read as an integer, default 10
    std::wstring dwText;
    std::vector<std::wstring> keys;
  } const cases[] = {
      {junk, 10, L"", none},
      {std::string("[main]\0\ndw=\0"
                   "5\n",
                   14),
       10,
       std::wstring(L"\0"
                    L"5",
                    2),
       justDw},                            // NUL
      {"[main\ndw=7\n", 7, L"7", justDw},  // a section line without its bracket
      {"]main[\ndw=7\n", 10, L"", none},   // no section line: the key is in none
      {"[main]\n" + std::string(1000000, 'k'), 10, L"", none},  // no "=": no key
      {"[main]\ndw=" + std::string(1000000, '9') + "\n", 10, std::wstring(2047, L'9'), justDw},
      {std::string("\xFF\xFE\x00", 3), 10, L"", none},           // half a UTF-16 character
      {"\xEF\xBB\xBF\xFF\xFF[main]\ndw=\xC0\n", 10, L"", none},  // "[" not first: no section
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);  // the case's index
    writeBytes(path, c.bytes);
    EXPECT_EQ(ini.readInteger(L"main", L"dw", 10), c.dw);
    EXPECT_EQ(ini.readString(L"main", L"dw", L""), c.dwText);
    EXPECT_EQ(ini.readSectionKeys(L"main"), c.keys);
    ini.writeInteger(L"main", L"dc", 3);
    EXPECT_EQ(ini.readInteger(L"main", L"dc", 10), 3);
  }
}
