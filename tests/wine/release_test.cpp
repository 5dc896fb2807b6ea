// The release archive as the operator gets it: unpacked into an empty
// folder, its program starts through the splash to a detached main window,
// and, with an editor running, exports a board from there.
// The archive is made by scripts/release, which leaves a copy in the build
// tree; without it the test is skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "base/encoding.h"
#include "cadlink_fixture.h"
#include "harness.h"
#include "program_launch.h"
#include "program_fixture.h"
#include "repo_paths.h"

namespace fs = std::filesystem;

namespace {

uint32_t crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

uint32_t le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

// Unpacks the stored (uncompressed) entries of a zip archive into `into`;
// returns a description of the first problem, or "" when all went well.
std::string unpackStored(const fs::path& archive, const fs::path& into) {
  std::ifstream in(archive, std::ios::binary);
  const std::string zip((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t at = 0;
  int files = 0;
  while (at + 30 <= zip.size() && le(zip, at, 4) == 0x04034b50u) {
    const uint32_t flags = le(zip, at + 6, 2);
    const uint32_t method = le(zip, at + 8, 2);
    const uint32_t crc = le(zip, at + 14, 4);
    const uint32_t size = le(zip, at + 18, 4);
    const uint32_t nameLength = le(zip, at + 26, 2);
    const uint32_t extraLength = le(zip, at + 28, 2);
    const size_t dataAt = at + 30 + nameLength + extraLength;
    if (method != 0 || (flags & 8)) return "an entry is not stored plainly";
    if (dataAt + size > zip.size()) return "the archive is cut short";
    const std::string rawName = zip.substr(at + 30, nameLength);
    const std::wstring name = (flags & 0x800) ? base::fromUtf8(rawName) : base::fromAnsi(rawName);
    const std::string data = zip.substr(dataAt, size);
    if (crc32(data) != crc) return "checksum of " + rawName + " differs";
    const fs::path target = into / fs::path(name);
    if (!name.empty() && name.back() == L'/') {
      fs::create_directories(target);
    } else {
      fs::create_directories(target.parent_path());
      std::ofstream(target, std::ios::binary)
          .write(data.data(), static_cast<std::streamsize>(size));
      ++files;
    }
    at = dataAt + size;
  }
  return files > 0 ? "" : "no files in the archive";
}

TEST(Release, UnpackedProgramStartsThroughItsSplash) {
  const fs::path archive = harness::buildDir() / L"tavrolin-1.3-win32.zip";
  if (!fs::exists(archive)) {
    GTEST_SKIP() << "no release archive in the build tree; scripts/release makes it";
  }
  const fs::path into = harness::freshDir(L"release");
  ASSERT_EQ(unpackStored(archive, into), "");
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

TEST(Release, UnpackedProgramExportsABoard) {
  const fs::path archive = harness::buildDir() / L"tavrolin-1.3-win32.zip";
  if (!fs::exists(archive)) {
    GTEST_SKIP() << "no release archive in the build tree; scripts/release makes it";
  }
  const fs::path into = harness::freshDir(L"release-export");
  ASSERT_EQ(unpackStored(archive, into), "");
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
