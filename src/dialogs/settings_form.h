// The values of the settings dialog and the rules by which they are loaded
// from main.ini and saved back: the two search delays, automatic closing,
// the output directory choice, the swell texts and switches, the error
// choice. The window shows these values; the rules act here.
#pragma once

#include <functional>
#include <string>

#include "base/settings_store.h"

namespace dialogs {

// The three choices of the group "Директория экспорта".
enum class DirChoice { Gerber, DesignDir, Other };

// Number of items of the group "При ошибке :".
constexpr int kErrorChoiceCount = 3;

struct SettingsForm {
  // Whether a text names an existing directory (relative paths are taken
  // relative to the current directory).
  using DirExists = std::function<bool(const std::wstring&)>;

  std::wstring dwText = L"10";  // "Задержка поиска окна :"
  std::wstring dcText = L"10";  // "Задержка поиска элемента :"
  bool autoclose = false;
  DirChoice dirChoice = DirChoice::DesignDir;
  std::wstring dirPath;
  std::wstring sms;  // "Значение SolderMaskSwell:"
  std::wstring ps;   // "Значение Plane Swell:"
  bool autoSms = true;
  bool autoPs = true;
  bool cleanGrb = true;
  int errcheck = 2;           // selected item of "При ошибке :", -1 for none
  bool fabArchive = false;    // "Архив для производства"
  bool x2Attributes = false;  // "Атрибуты X2"

  // Reads every value: dw, dc, autoclose, dir, SMS, PS, CleanGRB, AutoSMS,
  // AutoPS, errcheck, FabZip, X2.
  void load(const base::SettingsStore& ini, const DirExists& dirExists);
  // Writes every key in the order dir, SMS, PS, CleanGRB, dw, dc,
  // autoclose, AutoSMS, AutoPS, errcheck, FabZip, X2. A write that fails stops the save
  // there (the keys before it keep their new values) and is raised as an
  // AppError naming the key.
  void save(base::SettingsStore& ini, const DirExists& dirExists) const;

  // The value that save() writes for `dir`.
  std::wstring dirValue(const DirExists& dirExists) const;
};

// The integer of a spin field's text; a text that is not an integer counts
// as 0.
int32_t delayOfText(const std::wstring& text);

}  // namespace dialogs
