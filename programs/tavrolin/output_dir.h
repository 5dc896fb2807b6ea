// Where the output files go: the output directory resolved at start-up from
// the setting `dir` and the design's directory.
#pragma once

#include <functional>
#include <string>

namespace app {

struct DirectoryOps {
  std::function<bool(const std::wstring&)> exists;  // names an existing directory
  std::function<void(const std::wstring&)> create;  // failures are not reported
};

// `dir` naming an existing directory: that directory, with a separator
// appended when it has none; exactly "gerber": the first free numbered
// directory "gerber<n>\" beside the design, created; anything else: the
// design's own directory.
std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& designDir,
                              const DirectoryOps& ops);

// The same when the design's directory could not be read whole: a `dir`
// naming an existing directory still gives that directory; anything that
// would be derived from the design's directory gives an empty text and
// creates nothing, so that no output goes to some other directory.
std::wstring resolveOutputDir(const std::wstring& dir, const std::wstring& designDir,
                              bool designDirWhole, const DirectoryOps& ops);

}  // namespace app
