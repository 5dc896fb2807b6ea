// The settings dialog's load and save rules against real main.ini files:
// defaults, the output directory choice, the error choice, spin texts, the
// keys it does not know, and a save that cannot be written.
#include "dialogs/settings_form.h"

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/error.h"
#include "base_test_files.h"

namespace fs = std::filesystem;
using dialogs::DirChoice;
using dialogs::SettingsForm;
using testfiles::readBytes;
using testfiles::writeBytes;

namespace {

class SettingsFormTest : public ::testing::Test {
 protected:
  testfiles::TempDir dir{"settings-form"};
  fs::path path = dir / "main.ini";
  base::SettingsStore ini{path};
  // an existing directory, named the way the dialog would hold it
  std::wstring existing = base::fromUtf8((dir / "Выход").string());
  SettingsForm::DirExists dirExists = [](const std::wstring& p) {
    std::error_code ec;
    return fs::is_directory(fs::path(base::toUtf8(p)), ec);
  };

  void SetUp() override { fs::create_directory(base::toUtf8(existing)); }

  SettingsForm loaded() {
    SettingsForm form;
    form.load(ini, dirExists);
    return form;
  }
};

TEST_F(SettingsFormTest, FreshStartShowsDefaultsAndCloseWritesAllTwelveKeys) {
  SettingsForm form = loaded();
  EXPECT_EQ(form.dwText, L"10");
  EXPECT_EQ(form.dcText, L"10");
  EXPECT_FALSE(form.autoclose);
  EXPECT_EQ(form.dirChoice, DirChoice::DesignDir);
  EXPECT_EQ(form.dirPath, L"");
  EXPECT_EQ(form.sms, L"");
  EXPECT_EQ(form.ps, L"");
  EXPECT_TRUE(form.autoSms);
  EXPECT_TRUE(form.autoPs);
  EXPECT_TRUE(form.cleanGrb);
  EXPECT_EQ(form.errcheck, 2);
  EXPECT_FALSE(form.fabArchive || form.x2Attributes);

  form.save(ini, dirExists);
  // written in the dialog's order, so each section lists its keys that way
  EXPECT_EQ(ini.readSectionKeys(L"pcad"),
            (std::vector<std::wstring>{L"dir", L"SMS", L"PS", L"CleanGRB", L"AutoSMS", L"AutoPS",
                                       L"errcheck", L"FabZip", L"X2"}));
  EXPECT_EQ(ini.readSectionKeys(L"main"), (std::vector<std::wstring>{L"dw", L"dc", L"autoclose"}));
  const std::string text = readBytes(path);
  EXPECT_LT(text.find("[pcad]"), text.find("[main]"));
  EXPECT_EQ(ini.readString(L"pcad", L"dir", L"?"), L"");
  EXPECT_EQ(ini.readString(L"pcad", L"CleanGRB", L"?"), L"1");
  EXPECT_EQ(ini.readString(L"pcad", L"errcheck", L"?"), L"2");
  EXPECT_EQ(ini.readString(L"main", L"autoclose", L"?"), L"0");
}

TEST_F(SettingsFormTest, OnlyLayersSectionGivesTheDefaults) {
  writeBytes(path, "[layers]\r\nTop=1,2,3\r\n");
  SettingsForm form = loaded();
  EXPECT_EQ(form.dwText, L"10");
  EXPECT_EQ(form.dirChoice, DirChoice::DesignDir);
  EXPECT_EQ(form.errcheck, 2);
  EXPECT_TRUE(form.autoSms && form.autoPs && form.cleanGrb);
  EXPECT_FALSE(form.autoclose);
}

TEST_F(SettingsFormTest, DirectoryChoiceIsLoadedFromTheStoredValue) {
  struct Case {
    std::wstring stored;
    DirChoice choice;
    std::wstring path;
  };
  const Case cases[] = {
      {existing, DirChoice::Other, existing},
      {L"gerber", DirChoice::Gerber, L""},
      {L"Gerber", DirChoice::DesignDir, L""},  // the keyword is lower case only
      {existing + L"-missing", DirChoice::DesignDir, L""},
      {L"", DirChoice::DesignDir, L""},
  };
  for (const Case& c : cases) {
    ini.writeString(L"pcad", L"dir", c.stored);
    SettingsForm form = loaded();
    EXPECT_EQ(form.dirChoice, c.choice) << base::toUtf8(c.stored);
    EXPECT_EQ(form.dirPath, c.path) << base::toUtf8(c.stored);
  }
}

TEST_F(SettingsFormTest, DirectoryChoiceIsSavedByItsRules) {
  struct Case {
    DirChoice choice;
    std::wstring path;
    std::wstring stored;
    DirChoice reopened;
  };
  const Case cases[] = {
      {DirChoice::Other, existing, existing, DirChoice::Other},
      {DirChoice::Other, existing + L"-missing", L"gerber", DirChoice::Gerber},
      {DirChoice::Other, L"", L"gerber", DirChoice::Gerber},
      // a folder browsed while "Gerber" stays selected
      {DirChoice::Gerber, existing, L"gerber", DirChoice::Gerber},
      {DirChoice::DesignDir, existing, L"", DirChoice::DesignDir},
  };
  for (const Case& c : cases) {
    SettingsForm form;
    form.dirChoice = c.choice;
    form.dirPath = c.path;
    form.save(ini, dirExists);
    EXPECT_EQ(ini.readString(L"pcad", L"dir", L"?"), c.stored) << base::toUtf8(c.path);
    SettingsForm again = loaded();
    EXPECT_EQ(again.dirChoice, c.reopened) << base::toUtf8(c.path);
    EXPECT_EQ(again.dirPath, c.reopened == DirChoice::Other ? c.stored : L"");
  }
}

TEST_F(SettingsFormTest, ErrorChoiceIsClampedToTheItems) {
  struct Case {
    std::string stored;
    int shown;
    std::wstring written;
  };
  const Case cases[] = {{"7", 2, L"2"},    {"0", 0, L"0"},   {"1", 1, L"1"},  {"-1", -1, L"-1"},
                        {"-5", -1, L"-1"}, {"ask", 2, L"2"}, {"0x1", 1, L"1"}};
  for (const Case& c : cases) {
    writeBytes(path, "[pcad]\r\nerrcheck=" + c.stored + "\r\n");
    SettingsForm form = loaded();
    EXPECT_EQ(form.errcheck, c.shown) << c.stored;
    form.save(ini, dirExists);
    EXPECT_EQ(ini.readString(L"pcad", L"errcheck", L"?"), c.written) << c.stored;
  }
}

TEST_F(SettingsFormTest, SpinTextsAreSavedAsIntegers) {
  struct Case {
    std::wstring text;
    std::wstring stored;
  };
  const Case cases[] = {{L"250", L"250"}, {L"abc", L"0"}, {L"", L"0"},      {L"1.5", L"0"},
                        {L" 25", L"25"},  {L"-3", L"-3"}, {L"0x10", L"16"}, {L"99999999999", L"0"}};
  for (const Case& c : cases) {
    SettingsForm form;
    form.dwText = c.text;
    form.dcText = c.text;
    form.save(ini, dirExists);
    EXPECT_EQ(ini.readString(L"main", L"dw", L"?"), c.stored) << base::toUtf8(c.text);
    EXPECT_EQ(ini.readString(L"main", L"dc", L"?"), c.stored) << base::toUtf8(c.text);
  }
}

TEST_F(SettingsFormTest, SwitchesReadAsIntegersWithTheirDefaults) {
  writeBytes(path,
             "[main]\r\nautoclose=2\r\n"
             "[pcad]\r\nAutoSMS=2\r\nAutoPS=word\r\nCleanGRB=0\r\nSMS=0.1mm\r\nPS= 0.2mm \r\n");
  SettingsForm form = loaded();
  EXPECT_TRUE(form.autoclose);
  EXPECT_TRUE(form.autoSms);
  EXPECT_TRUE(form.autoPs);
  EXPECT_FALSE(form.cleanGrb);
  EXPECT_EQ(form.sms, L"0.1mm");
  EXPECT_EQ(form.ps, L"0.2mm");
}

TEST_F(SettingsFormTest, EveryValueSurvivesASaveAndLoad) {
  SettingsForm form;
  form.dwText = L"40";
  form.dcText = L"5";
  form.autoclose = true;
  form.dirChoice = DirChoice::Other;
  form.dirPath = existing;
  form.sms = L"0.1 мм";
  form.ps = L" 12mil ";
  form.autoSms = false;
  form.autoPs = false;
  form.cleanGrb = false;
  form.errcheck = 1;
  form.fabArchive = true;
  form.x2Attributes = true;
  form.save(ini, dirExists);
  SettingsForm back = loaded();
  EXPECT_EQ(back.dwText, L"40");
  EXPECT_EQ(back.dcText, L"5");
  EXPECT_TRUE(back.autoclose);
  EXPECT_EQ(back.dirChoice, DirChoice::Other);
  EXPECT_EQ(back.dirPath, existing);
  EXPECT_EQ(back.sms, L"0.1 мм");
  EXPECT_EQ(back.ps, L" 12mil ");
  EXPECT_FALSE(back.autoSms);
  EXPECT_FALSE(back.autoPs);
  EXPECT_FALSE(back.cleanGrb);
  EXPECT_EQ(back.errcheck, 1);
  EXPECT_TRUE(back.fabArchive && back.x2Attributes);
}

TEST_F(SettingsFormTest, KeysItDoesNotKnowStayInTheirPlaces) {
  const std::string before =
      "; Tavrolin settings\r\n"
      "[main]\r\n"
      "dw=10\r\n"
      "theme=dark\r\n"
      "[layers]\r\n"
      "Top=1,4,4\r\n"
      "Bottom=1,2,2\r\n"
      "[pcad]\r\n"
      "dir=\r\n"
      "extra = kept as it is\r\n"
      "[other]\r\n"
      "x=1\r\n";
  writeBytes(path, before);
  SettingsForm form = loaded();
  form.dwText = L"30";
  form.save(ini, dirExists);
  const std::string after = readBytes(path);
  EXPECT_EQ(after.rfind("; Tavrolin settings\r\n[main]\r\ndw=30\r\ntheme=dark\r\n", 0), 0u)
      << after;
  EXPECT_NE(after.find("[layers]\r\nTop=1,4,4\r\nBottom=1,2,2\r\n[pcad]\r\ndir=\r\n"
                       "extra = kept as it is\r\n"),
            std::string::npos)
      << after;
  EXPECT_NE(after.find("[other]\r\nx=1\r\n"), std::string::npos) << after;
  EXPECT_EQ(ini.readSectionKeys(L"layers"), (std::vector<std::wstring>{L"Top", L"Bottom"}));
}

}  // namespace
