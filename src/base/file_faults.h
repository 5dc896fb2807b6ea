// Test-only fault injection for the file layer: while a test holds a
// FileFaultForTest, the named step of every file write, delete or move fails
// the way the system would fail it, and the error branch after it runs with
// the real calls around it. Off by default; the program never turns it on.
//
// The switch is process-wide because the writers sit under calls whose form
// their callers fix (the Gerber and drill post-processing, the settings store): handing
// a set of operations down would reach through all of them for the sake of
// tests. It is the file layer's only mutable state and lives in
// file_faults.cpp alone.
#pragma once

namespace base {

enum class FileStep {
  TempCreate,  // creating the temporary file beside the target
  Write,       // writing the new content into it
  Flush,       // flushing and closing it
  Replace,     // the atomic replace of the target by it
  Delete,      // deleting a file (removeFile)
  Rename,      // moving a file to a free name (moveFile)
  Read,        // reading a block of a file (LineReader)
};

// True while a FileFaultForTest for `step` is alive.
bool fileStepFails(FileStep step);

// Makes `step` fail for as long as it lives, after its first `passes` calls
// have gone through (a failure in the middle of a file); the previous state
// comes back when it ends.
class FileFaultForTest {
 public:
  explicit FileFaultForTest(FileStep step, int passes = 0);
  ~FileFaultForTest();
  FileFaultForTest(const FileFaultForTest&) = delete;
  FileFaultForTest& operator=(const FileFaultForTest&) = delete;

 private:
  int previousStep_;
  int previousPasses_;
};

}  // namespace base
