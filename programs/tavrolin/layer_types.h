// The CAM layer types that the layer table offers, from the [layers] section
// of main.ini, and what the operator is told when main.ini cannot give them.
#pragma once

#include <string>
#include <vector>

#include "base/settings_store.h"

namespace app {

struct LayerTypes {
  std::vector<std::wstring> keys;  // empty when the section is not usable
  std::wstring problem;            // the message for the operator; empty when all is well
};

// The key names of [layers] in file order when they cover every position the
// row presets use; otherwise no types and a message naming the file and what
// is wrong with it (missing, or too few types).
LayerTypes readLayerTypes(const base::SettingsStore& ini);

}  // namespace app
