// Loading and saving the settings dialog's values.
#include "dialogs/settings_form.h"

#include "base/settings_keys.h"
#include "base/error.h"
#include "base/int_text.h"

namespace dialogs {
namespace {

const std::wstring kMain = L"main";
const std::wstring kPcad = L"pcad";
const std::wstring kGerberWord = L"gerber";

// Runs one write; a failure is raised again with the key's name in front.
template <typename F>
void writeKey(const std::wstring& key, F&& write) {
  try {
    write();
  } catch (const base::AppError& e) {
    throw base::AppError(L"Не удалось сохранить настройку «" + key + L"»: " + e.text());
  }
}

}  // namespace

int32_t delayOfText(const std::wstring& text) { return base::strToIntDef(text, 0); }

void SettingsForm::load(const base::SettingsStore& ini, const DirExists& dirExists) {
  dwText = std::to_wstring(base::readSetting(ini, base::kWindowDelay));
  dcText = std::to_wstring(base::readSetting(ini, base::kControlDelay));
  autoclose = base::readSetting(ini, base::kAutoClose);

  const std::wstring dir = base::readSetting(ini, base::kOutputDir);
  if (!dir.empty() && dirExists(dir)) {
    dirChoice = DirChoice::Other;
    dirPath = dir;
  } else if (dir == kGerberWord) {
    dirChoice = DirChoice::Gerber;
    dirPath.clear();
  } else {
    dirChoice = DirChoice::DesignDir;
    dirPath.clear();
  }

  sms = base::readSetting(ini, base::kSolderMaskSwell);
  ps = base::readSetting(ini, base::kPlaneSwell);
  cleanGrb = base::readSetting(ini, base::kCleanGrb);
  autoSms = base::readSetting(ini, base::kAutoSms);
  autoPs = base::readSetting(ini, base::kAutoPs);
  int32_t choice = base::readSetting(ini, base::kErrorChoice);
  if (choice < -1) choice = -1;
  if (choice > kErrorChoiceCount - 1) choice = kErrorChoiceCount - 1;
  errcheck = choice;
  fabArchive = base::readSetting(ini, base::kFabArchive);
  x2Attributes = base::readSetting(ini, base::kX2Attributes);
}

std::wstring SettingsForm::dirValue(const DirExists& dirExists) const {
  if (dirChoice == DirChoice::DesignDir) return L"";
  if (dirChoice == DirChoice::Other && !dirPath.empty() && dirExists(dirPath)) return dirPath;
  return kGerberWord;
}

void SettingsForm::save(base::SettingsStore& ini, const DirExists& dirExists) const {
  const std::wstring dir = dirValue(dirExists);
  writeKey(L"dir", [&] { ini.writeString(kPcad, L"dir", dir); });
  writeKey(L"SMS", [&] { ini.writeString(kPcad, L"SMS", sms); });
  writeKey(L"PS", [&] { ini.writeString(kPcad, L"PS", ps); });
  writeKey(L"CleanGRB", [&] { ini.writeBool(kPcad, L"CleanGRB", cleanGrb); });
  writeKey(L"dw", [&] { ini.writeInteger(kMain, L"dw", delayOfText(dwText)); });
  writeKey(L"dc", [&] { ini.writeInteger(kMain, L"dc", delayOfText(dcText)); });
  writeKey(L"autoclose", [&] { ini.writeBool(kMain, L"autoclose", autoclose); });
  writeKey(L"AutoSMS", [&] { ini.writeBool(kPcad, L"AutoSMS", autoSms); });
  writeKey(L"AutoPS", [&] { ini.writeBool(kPcad, L"AutoPS", autoPs); });
  writeKey(L"errcheck", [&] { ini.writeInteger(kPcad, L"errcheck", errcheck); });
  for (const auto& entry :
       {std::pair{base::kFabArchive, fabArchive}, std::pair{base::kX2Attributes, x2Attributes}}) {
    const auto& setting = entry.first;
    const bool on = entry.second;
    writeKey(setting.key, [&] { ini.writeBool(setting.section, setting.key, on); });
  }
}

}  // namespace dialogs
