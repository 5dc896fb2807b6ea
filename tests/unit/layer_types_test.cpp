// The CAM layer types from main.ini at start-up: a missing file or one
// without ten types gives no types and a message naming the file and the
// fault; the file is never written.
#include <gtest/gtest.h>

#include <optional>

#include "base/path_text.h"
#include "base_test_files.h"
#include "tavrolin/layer_types.h"

TEST(LayerTypes, MissingOrDamagedMainIniGivesNoTypesAndSaysWhy) {
  std::string tenTypes = "[layers]\r\n";
  for (int k = 0; k < 10; ++k) tenTypes += "T" + std::to_string(k) + "=x,1,2\r\n";
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // none: no file
    size_t keys;
    const wchar_t* problem;  // after the file's quoted path; empty: none
  } cases[] = {
      {"missing", std::nullopt, 0, L" не найден."},
      {"noise", std::string("\x01\xff[lay\r\n==\r\n[layers\r\n\x00", 18), 0,
       L" не содержит типов слоёв: в разделе [layers] их 0, нужно не меньше 10."},
      {"short", "[main]\r\ndw=99999999999\r\n[layers]\r\nA=1\r\nB=x\r\n", 0,
       L" не содержит типов слоёв: в разделе [layers] их 2, нужно не меньше 10."},
      {"good", tenTypes, 10, L""},
  };
  testfiles::TempDir dir("layer-types");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = dir / (std::string(c.name) + ".ini");
    if (c.bytes) testfiles::writeBytes(file, *c.bytes);
    const app::LayerTypes types = app::readLayerTypes(base::SettingsStore(file));
    EXPECT_EQ(types.keys.size(), c.keys);
    if (*c.problem == 0) {
      EXPECT_EQ(types.problem, L"");
    } else {
      const std::wstring start = L"Файл настроек \"" + base::pathText(file) + L"\"" + c.problem;
      EXPECT_EQ(types.problem.rfind(start, 0), 0u) << base::toUtf8(types.problem);
    }
    EXPECT_EQ(std::filesystem::exists(file), c.bytes.has_value());
    if (c.bytes) {
      EXPECT_EQ(testfiles::readBytes(file), *c.bytes);
    }
  }
}
