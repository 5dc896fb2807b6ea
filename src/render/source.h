// Reading a file a chunk at a time, and naming what a reader skipped once
// each: the readers never hold more of a file than one statement.
#pragma once

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace render {

class ByteSource {
 public:
  explicit ByteSource(const std::string& utf8Path);
  bool opened() const { return opened_; }
  int get() {
    if (pos_ == end_ && !refill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_++]);
  }

 private:
  bool refill();

  std::ifstream in_;
  bool opened_ = false;
  std::vector<char> buffer_;
  size_t pos_ = 0, end_ = 0;
};

// The names of skipped constructs, each once, at most kMaxNames of them
// (then one "..." closes the list: a file of noise names no more).
class SkipNames {
 public:
  static constexpr size_t kMaxNames = 32;
  explicit SkipNames(std::vector<std::string>& out) : out_(out) {}
  void add(const std::string& name);

 private:
  std::vector<std::string>& out_;
  std::set<std::string> seen_;
};

// Sign, digits and maybe a decimal point, starting at `pos` of `text`; `pos`
// is left after them. Empty when there is none.
std::string takeNumber(const std::string& text, size_t& pos);

// A coordinate written without a decimal point: `trailingOmitted` reads the
// digits from the left with `intDigits` before the point, otherwise from the
// right with `decDigits` after it. With a decimal point it is read as written.
double fixedPointValue(const std::string& text, int intDigits, int decDigits, bool trailingOmitted);

}  // namespace render
