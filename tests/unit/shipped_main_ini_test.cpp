// The main.ini that ships with the program: its settings hold the documented
// defaults, and its [layers] list has every CAM layer type with valid colours.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "base/settings_store.h"
#include "base/int_text.h"
#include "base/text_file.h"
#include "layers/layer_model.h"

namespace {

const std::filesystem::path kShipped = std::filesystem::path(TEST_SOURCE_DIR) / "dist" / "main.ini";

// The comma-separated pieces of a [layers] value; empty pieces do not count.
std::vector<std::wstring> pieces(const std::wstring& value) {
  std::vector<std::wstring> out;
  size_t start = 0;
  while (start <= value.size()) {
    size_t comma = value.find(L',', start);
    if (comma == std::wstring::npos) comma = value.size();
    if (comma > start) out.push_back(value.substr(start, comma - start));
    start = comma + 1;
  }
  return out;
}

}  // namespace

TEST(ShippedMainIni, IsUtf16WithCrLf) {
  const base::TextFile file = base::readTextFile(kShipped);
  EXPECT_EQ(file.encoding, base::Encoding::Utf16LeBom);
  // Unchanged, it writes back to exactly the shipped bytes.
  std::ifstream in(kShipped, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(base::bytesOfText(file), bytes);
}

TEST(ShippedMainIni, HoldsTheDefaults) {
  const base::SettingsStore ini(kShipped);
  EXPECT_EQ(ini.readInteger(L"main", L"dw", -1), 10);
  EXPECT_EQ(ini.readInteger(L"main", L"dc", -1), 10);
  EXPECT_FALSE(ini.readBool(L"main", L"autoclose", true));
  EXPECT_EQ(ini.readString(L"pcad", L"dir", L"-"), L"");
  EXPECT_EQ(ini.readString(L"pcad", L"SMS", L"-"), L"");
  EXPECT_EQ(ini.readString(L"pcad", L"PS", L"-"), L"");
  EXPECT_TRUE(ini.readBool(L"pcad", L"AutoSMS", false));
  EXPECT_TRUE(ini.readBool(L"pcad", L"AutoPS", false));
  EXPECT_TRUE(ini.readBool(L"pcad", L"CleanGRB", false));
  EXPECT_EQ(ini.readInteger(L"pcad", L"errcheck", -1), 2);
  EXPECT_TRUE(ini.readBool(L"pcad", L"FabZip", false));
  EXPECT_FALSE(ini.readBool(L"pcad", L"X2", true));
}

// Every type has a file function; the metal types, which get the copper
// layer numbers, are copper and no other type is.
TEST(ShippedMainIni, EveryLayerTypeHasAFileFunction) {
  const base::SettingsStore ini(kShipped);
  const auto keys = ini.readSectionKeys(L"layers");
  for (size_t i = 0; i < keys.size(); ++i) {
    const std::wstring function = ini.readString(L"x2", keys[i], L"");
    const bool metal = layers::groupOf(static_cast<int>(i)) == layers::LayerGroup::Metal;
    EXPECT_EQ(function.rfind(L"Copper,", 0) == 0, metal) << i;
    EXPECT_GE(pieces(function).size(), 2u) << i;
  }
}

TEST(ShippedMainIni, LayerTypesHaveColours) {
  const base::SettingsStore ini(kShipped);
  const auto keys = ini.readSectionKeys(L"layers");
  ASSERT_GE(keys.size(), 18u);
  EXPECT_EQ(keys[0], L"Металл верхний");
  EXPECT_EQ(std::set<std::wstring>(keys.begin(), keys.end()).size(), keys.size())
      << "duplicate names";
  for (size_t i = 0; i < keys.size(); ++i) {
    const auto parts = pieces(ini.readString(L"layers", keys[i], L""));
    ASSERT_EQ(parts.size(), 3u) << i;
    for (size_t p = 1; p < 3; ++p) {
      int32_t colour = -1;
      EXPECT_TRUE(base::parseInt(parts[p], colour)) << i;
      EXPECT_GE(colour, 0) << i;
      EXPECT_LE(colour, 15) << i;
    }
  }
}
