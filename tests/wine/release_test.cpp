// The release archive as the operator gets it: unpacked into an empty
// folder, its program starts through the splash to a detached main window,
// and, with an editor running, exports a board from there.
// The archive is made by scripts/release, which leaves a copy in the build
// tree; without it the test is skipped.
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "base/encoding.h"
#include "cadlink_fixture.h"
#include "harness.h"
#include "program_launch.h"
#include "program_fixture.h"
#include "repo_paths.h"
#include "zip_unpack.h"

namespace fs = std::filesystem;

namespace {

// The SHA-256 of a file's bytes in lower-case hex, as sha256sum writes it.
std::string sha256Hex(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  BYTE digest[32] = {};
  DWORD length = sizeof digest;
  const bool ok =
      CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) &&
      CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash) &&
      CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                    static_cast<DWORD>(bytes.size()), 0) &&
      CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0);
  if (hash) CryptDestroyHash(hash);
  if (provider) CryptReleaseContext(provider, 0);
  if (!ok) return "";
  std::string hex;
  for (BYTE b : digest) hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
  return hex;
}

// The number of symbols in a program's COFF symbol table.
uint32_t symbolCount(const fs::path& program) {
  std::ifstream in(program, std::ios::binary);
  const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (image.size() < 0x40) return UINT32_MAX;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  const size_t at = static_cast<size_t>(dos->e_lfanew) + 4;  // past "PE\0\0"
  if (at + sizeof(IMAGE_FILE_HEADER) > image.size()) return UINT32_MAX;
  return reinterpret_cast<const IMAGE_FILE_HEADER*>(image.data() + at)->NumberOfSymbols;
}

TEST(Release, UnpackedProgramStartsThroughItsSplash) {
  const fs::path archive = harness::buildDir() / L"tavrolin-1.3-win32.zip";
  if (!fs::exists(archive)) {
    GTEST_SKIP() << "no release archive in the build tree; scripts/release makes it";
  }
  const fs::path into = harness::freshDir(L"release");
  ASSERT_EQ(zip_test::unpack(archive, into), "");
  const fs::path dir = into / L"tavrolin-1.3";
  for (const wchar_t* name :
       {L"tavrolin.exe", L"main.ini", L"Руководство пользователя.doc", L"macros"}) {
    EXPECT_TRUE(fs::exists(dir / name)) << harness::narrow(name);
  }
  EXPECT_FALSE(fs::is_empty(dir / L"macros"));

  harness::Tavrolin program = harness::startTavrolin(dir, L"");
  ASSERT_NE(program.splash, nullptr);
  HWND main = program.main;
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(harness::textOf(main), L"Tavrolin 1.3");
  // no editor runs here: the program is detached
  EXPECT_FALSE(IsWindowEnabled(harness::findChild(main, L"Button", L"Экспорт")));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.process.wait(10000));
}

TEST(Release, EveryFileMatchesSha256SumsAndProgramsShipWithoutSymbols) {
  const fs::path archive = harness::buildDir() / L"tavrolin-1.3-win32.zip";
  if (!fs::exists(archive)) {
    GTEST_SKIP() << "no release archive in the build tree; scripts/release makes it";
  }
  const fs::path into = harness::freshDir(L"release-sums");
  ASSERT_EQ(zip_test::unpack(archive, into), "");
  const fs::path dir = into / L"tavrolin-1.3";
  std::ifstream sums(dir / L"SHA256SUMS", std::ios::binary);
  ASSERT_TRUE(sums.good());
  std::set<fs::path> listed;
  for (std::string line; std::getline(sums, line);) {
    // "<hex>  <name>", the name in UTF-8 with forward slashes
    ASSERT_GT(line.size(), 66u) << line;
    const fs::path file = dir / fs::path(base::fromUtf8(line.substr(66))).make_preferred();
    EXPECT_EQ(line.substr(0, 66), sha256Hex(file) + "  ") << line;
    listed.insert(file.lexically_normal());
  }
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file() && entry.path().filename() != L"SHA256SUMS") {
      EXPECT_EQ(listed.count(entry.path().lexically_normal()), 1u)
          << "not in SHA256SUMS: " << entry.path().u8string();
    }
  }
  for (const wchar_t* program : {L"tavrolin.exe", L"plotrelay.exe"}) {
    EXPECT_EQ(symbolCount(dir / program), 0u) << harness::narrow(program);
  }
}

TEST(Release, UnpackedProgramExportsABoard) {
  const fs::path archive = harness::buildDir() / L"tavrolin-1.3-win32.zip";
  if (!fs::exists(archive)) {
    GTEST_SKIP() << "no release archive in the build tree; scripts/release makes it";
  }
  const fs::path into = harness::freshDir(L"release-export");
  ASSERT_EQ(zip_test::unpack(archive, into), "");
  const fs::path dir = into / L"tavrolin-1.3";
  program_test::writePcadSettings(dir, "errcheck=2\r\n", "dw=10\r\ndc=10\r\n");
  const fs::path design = harness::freshDir(L"export-release");
  cadlink_test::Standin editor(harness::boardsDir() / L"two-layer.brd", L"release-editor",
                               L"--design-dir \"" + design.wstring() + L"\\\\\"");
  ASSERT_NE(editor.main(), nullptr);
  program_test::Program p =
      program_test::startProgram(dir, L"-h " + program_test::handleArg(editor.main()));
  ASSERT_TRUE(p.main && IsWindowVisible(p.main));
  ASSERT_TRUE(harness::waitFor([&] { return !program_test::exportBoxes(p.main).empty(); }, 20000));
  HWND edit = GetDlgItem(p.main, program_test::kIdBoardTypeCode);
  for (wchar_t ch : std::wstring(L"222")) SendMessageW(edit, WM_CHAR, ch, 0);
  // a run without questions: the button returns when the run is over
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(harness::findChild(p.main, L"Button", L"Экспорт"), BM_CLICK, 0, 0,
                                  SMTO_NORMAL, 120000, &result));
  for (const wchar_t* name :
       {L"two-layer.GTL", L"two-layer.GBL", L"two-layer.GTS", L"two-layer.GBS", L"two-layer.GTO",
        L"two-layer.GBO", L"two-layer.brd", L"two-layer.TXT"}) {
    EXPECT_TRUE(fs::exists(design / name)) << harness::narrow(name);
  }
  std::ifstream gtl(design / L"two-layer.GTL", std::ios::binary);
  std::string first;
  std::getline(gtl, first);
  EXPECT_EQ(first, "G04 Korvant TAVROLIN*\r");
  PostMessageW(p.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.process.wait(10000));
}

}  // namespace
