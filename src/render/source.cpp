// Chunked file reading and the list of skipped constructs.
#include "render/source.h"

#include <cmath>
#include <cstdlib>
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

double fixedPointValue(const std::string& text, int intDigits, int decDigits,
                       bool trailingOmitted) {
  if (text.find('.') != std::string::npos) return std::strtod(text.c_str(), nullptr);
  size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  const size_t digits = text.size() - p;
  if (digits == 0) return 0;
  const long exponent = trailingOmitted ? long(intDigits) - long(digits) : -long(decDigits);
  double v;
  if (digits <= 18 && exponent >= -22 && exponent <= 22) {
    static const double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    long long n = 0;
    for (size_t i = p; i < text.size(); ++i) n = n * 10 + (text[i] - '0');
    v = exponent >= 0 ? double(n) * kTens[exponent] : double(n) / kTens[-exponent];
  } else {
    v = std::strtod((text.substr(p) + "e" + std::to_string(exponent)).c_str(), nullptr);
  }
  return negative ? -v : v;
}

}  // namespace render
