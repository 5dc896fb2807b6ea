// Chunked file reading and the list of skipped constructs.
#include "render/source.h"

#include <filesystem>

namespace render {

ByteSource::ByteSource(const std::string& utf8Path) : buffer_(1 << 16) {
#if defined(__cpp_char8_t)
  const std::filesystem::path path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
#else
  const std::filesystem::path path = std::filesystem::u8path(utf8Path);
#endif
  in_.open(path, std::ios::binary);
  opened_ = in_.is_open();
}

bool ByteSource::refill() {
  if (!opened_ || !in_) return false;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  pos_ = 0;
  end_ = static_cast<size_t>(in_.gcount());
  return end_ > 0;
}

void SkipNames::add(const std::string& name) {
  if (seen_.size() > kMaxNames || !seen_.insert(name).second) return;
  out_.push_back(seen_.size() > kMaxNames ? std::string("...") : name);
}

std::string takeNumber(const std::string& text, size_t& pos) {
  const size_t start = pos;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  while (pos < text.size() && ((text[pos] >= '0' && text[pos] <= '9') || text[pos] == '.')) ++pos;
  return text.substr(start, pos - start);
}

}  // namespace render
