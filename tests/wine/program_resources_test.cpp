// What Explorer, the taskbar and the loader read from the shipped programs:
// their icons in every size, the version block, and the manifest (current
// common controls, system DPI awareness).
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "harness.h"

namespace {

std::string resourceText(HMODULE module, LPCWSTR type) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), type);
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

// The widths of the images in the program's icon group 1.
std::set<int> iconSizes(HMODULE module) {
  const std::string group = resourceText(module, RT_GROUP_ICON);
  std::set<int> sizes;
  if (group.size() < 6) return sizes;
  const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5])
                                                               << 8;
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size()); ++i) {
    const int width = static_cast<unsigned char>(group[6 + 14 * i]);
    sizes.insert(width == 0 ? 256 : width);
  }
  return sizes;
}

std::wstring versionString(const std::vector<char>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041904B0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"";
  return static_cast<const wchar_t*>(value);
}

TEST(ProgramResources, IconsVersionAndManifestOfBothPrograms) {
  struct Case {
    const wchar_t* program;
    const wchar_t* descriptionStart;
  };
  for (const Case& c : {Case{L"tavrolin.exe", L"Tavrolin: Gerber-"},
                        Case{L"plotrelay.exe", L"Tavrolin: драйвер вывода"}}) {
    SCOPED_TRACE(harness::narrow(c.program));
    const std::wstring path = (harness::programDir() / c.program).wstring();
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(iconSizes(module), (std::set<int>{16, 32, 48, 256}));
    for (int size : {16, 32, 48}) {
      HICON icon = static_cast<HICON>(
          LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      EXPECT_NE(icon, nullptr) << size;
      if (icon) DestroyIcon(icon);
    }
    const std::string manifest = resourceText(module, RT_MANIFEST);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(versionString(block, L"ProductName"), L"Tavrolin");
    EXPECT_EQ(versionString(block, L"CompanyName"), L"Korvant");
    EXPECT_EQ(versionString(block, L"FileVersion").rfind(L"1.3.", 0), 0u);
    EXPECT_EQ(versionString(block, L"FileDescription").rfind(c.descriptionStart, 0), 0u);
    EXPECT_NE(versionString(block, L"LegalCopyright").find(L"Korvant"), std::wstring::npos);
  }
}

}  // namespace
