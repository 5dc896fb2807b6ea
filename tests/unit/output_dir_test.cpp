// The output directory chosen at start-up.
#include "tavrolin/output_dir.h"

#include <gtest/gtest.h>

#include <set>

#include "base/encoding.h"
#include "base/path_text.h"

namespace {

struct FakeDisk {
  std::set<std::wstring> dirs;
  std::vector<std::wstring> created;
  app::DirectoryOps ops() {
    return {[this](const std::wstring& d) {
              std::wstring key = d;
              if (!key.empty() && key.back() != L'\\') key += L'\\';
              return dirs.count(key) > 0;
            },
            [this](const std::wstring& d) {
              created.push_back(d);
              dirs.insert(d);
            }};
  }
};

TEST(OutputDir, DirectoryPart) {
  EXPECT_EQ(base::directoryPart(L"C:\\boards\\a.pcb"), L"C:\\boards\\");
  EXPECT_EQ(base::directoryPart(L"C:\\boards\\"), L"C:\\boards\\");
  EXPECT_EQ(base::directoryPart(L"C:a.pcb"), L"C:");
  EXPECT_EQ(base::directoryPart(L"a.pcb"), L"");
}

TEST(OutputDir, Resolution) {
  struct Case {
    const char* what;
    std::wstring dir, pcbdir;
    std::set<std::wstring> existing;
    std::wstring expected;
    std::vector<std::wstring> created;
  };
  const Case cases[] = {
      {"empty: the design's directory", L"", L"C:\\boards\\", {}, L"C:\\boards\\", {}},
      {"empty, a file path", L"", L"C:\\boards\\a.pcb", {}, L"C:\\boards\\", {}},
      {"existing directory gets its separator",
       L"D:\\out",
       L"C:\\b\\",
       {L"D:\\out\\"},
       L"D:\\out\\",
       {}},
      {"existing directory keeps its separator",
       L"D:\\out\\",
       L"C:\\b\\",
       {L"D:\\out\\"},
       L"D:\\out\\",
       {}},
      {"missing directory: the design's", L"D:\\none", L"C:\\b\\", {}, L"C:\\b\\", {}},
      {"gerber: first free number",
       L"gerber",
       L"C:\\b\\",
       {L"C:\\b\\gerber0\\", L"C:\\b\\gerber1\\"},
       L"C:\\b\\gerber2\\",
       {L"C:\\b\\gerber2\\"}},
      {"gerber, none yet",
       L"gerber",
       L"C:\\b\\x.pcb",
       {},
       L"C:\\b\\gerber0\\",
       {L"C:\\b\\gerber0\\"}},
      {"Gerber is no keyword", L"Gerber", L"C:\\b\\", {}, L"C:\\b\\", {}},
      {"an existing directory named gerber wins",
       L"gerber",
       L"C:\\b\\",
       {L"gerber\\"},
       L"gerber\\",
       {}},
  };
  for (const auto& c : cases) {
    FakeDisk disk;
    disk.dirs = c.existing;
    EXPECT_EQ(app::resolveOutputDir(c.dir, c.pcbdir, disk.ops()), c.expected) << c.what;
    EXPECT_EQ(disk.created, c.created) << c.what;
  }
}

TEST(OutputDir, EachStartInGerberModeMakesANewDirectory) {
  FakeDisk disk;
  EXPECT_EQ(app::resolveOutputDir(L"gerber", L"C:\\b\\", disk.ops()), L"C:\\b\\gerber0\\");
  EXPECT_EQ(app::resolveOutputDir(L"gerber", L"C:\\b\\", disk.ops()), L"C:\\b\\gerber1\\");
}

}  // namespace

namespace {

TEST(OutputDir, DesignDirectoryNotReadWholeGivesNoDirectoryButAnExistingSetting) {
  struct Case {
    std::wstring dir;
    std::wstring expected;
  } cases[] = {
      {L"", L""},
      {L"gerber", L""},  // nothing created beside a cut directory
      {L"D:\\missing", L""},
      {L"D:\\out", L"D:\\out\\"},  // does not depend on the design's directory
  };
  for (const Case& c : cases) {
    FakeDisk disk;
    disk.dirs = {L"D:\\out\\", L"C:\\b\\"};
    EXPECT_EQ(app::resolveOutputDir(c.dir, L"C:\\b\\", false, disk.ops()), c.expected)
        << base::toUtf8(c.dir);
    EXPECT_TRUE(disk.created.empty());
  }
  FakeDisk disk;
  EXPECT_EQ(app::resolveOutputDir(L"", L"C:\\b\\", true, disk.ops()), L"C:\\b\\");
}

}  // namespace
