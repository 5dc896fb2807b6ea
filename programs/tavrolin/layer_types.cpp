// The CAM layer types from main.ini (see layer_types.h).
#include "tavrolin/layer_types.h"

#include <system_error>

#include "base/path_text.h"
#include "layers/layer_table.h"

namespace app {

LayerTypes readLayerTypes(const base::SettingsStore& ini) {
  LayerTypes types;
  const std::wstring file = L"Файл настроек \"" + base::pathText(ini.path()) + L"\"";
  const std::wstring consequence =
      L"\rСлои редактора показаны без типов слоёв CAM. Восстановите файл из дистрибутива "
      L"программы и запустите её снова.";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(ini.path(), ec)) {
    types.problem = file + L" не найден." + consequence;
    return types;
  }
  types.keys = ini.readSectionKeys(L"layers");
  if (types.keys.size() < layers::kPresetTypeKeys) {
    types.problem = file + L" не содержит типов слоёв: в разделе [layers] их " +
                    std::to_wstring(types.keys.size()) + L", нужно не меньше " +
                    std::to_wstring(layers::kPresetTypeKeys) + L"." + consequence;
    types.keys.clear();
  }
  return types;
}

}  // namespace app
