// Zip archive unpacking with its own inflate (see zip_unpack.h).
#include "zip_unpack.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "base/encoding.h"

namespace fs = std::filesystem;

namespace zip_test {
namespace {

// The stream's bits, lowest first; `overrun` once it is read past its end.
struct Bits {
  const std::string& in;
  size_t at = 0;
  uint32_t buffer = 0;
  int count = 0;
  bool overrun = false;

  int take(int n) {
    uint32_t v = buffer;
    while (count < n) {
      if (at >= in.size()) {
        overrun = true;
        return 0;
      }
      v |= static_cast<uint32_t>(static_cast<unsigned char>(in[at++])) << count;
      count += 8;
    }
    buffer = n < 32 ? v >> n : 0;
    count -= n;
    return static_cast<int>(v & ((1u << n) - 1));
  }
};

// A canonical Huffman code: how many codes of each length, symbols in code order.
struct Huffman {
  short count[16];
  short symbol[320];
};

bool build(Huffman& h, const short* length, int n) {
  for (short& c : h.count) c = 0;
  for (int s = 0; s < n; ++s) ++h.count[length[s]];
  int left = 1;
  for (int len = 1; len < 16; ++len) {
    left = (left << 1) - h.count[len];
    if (left < 0) return false;  // more codes than the lengths allow
  }
  short offset[16] = {0, 0};
  for (int len = 1; len < 15; ++len)
    offset[len + 1] = static_cast<short>(offset[len] + h.count[len]);
  for (int s = 0; s < n; ++s) {
    if (length[s] != 0) h.symbol[offset[length[s]]++] = static_cast<short>(s);
  }
  return true;
}

int decode(Bits& bits, const Huffman& h) {
  int code = 0, first = 0, index = 0;
  for (int len = 1; len < 16; ++len) {
    code |= bits.take(1);
    const int count = h.count[len];
    if (code - count < first) return h.symbol[index + (code - first)];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

bool codes(Bits& bits, std::string& out, const Huffman& lengths, const Huffman& distances) {
  static const short lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const short lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                        2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static const short distanceBase[30] = {
      1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  static const short distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                          6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
  for (;;) {
    int symbol = decode(bits, lengths);
    if (symbol < 0 || bits.overrun) return false;
    if (symbol < 256) {
      out.push_back(static_cast<char>(symbol));
    } else if (symbol == 256) {
      return true;
    } else {
      symbol -= 257;
      if (symbol >= 29) return false;
      const size_t length =
          static_cast<size_t>(lengthBase[symbol] + bits.take(lengthExtra[symbol]));
      const int d = decode(bits, distances);
      if (d < 0 || d >= 30) return false;
      const size_t distance = static_cast<size_t>(distanceBase[d] + bits.take(distanceExtra[d]));
      if (bits.overrun || distance > out.size()) return false;
      for (size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
  }
}

bool stored(Bits& bits, std::string& out) {
  bits.buffer = 0;  // the block starts at the next whole byte
  bits.count = 0;
  if (bits.at + 4 > bits.in.size()) return false;
  const auto byte = [&](size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(bits.in[i]));
  };
  const unsigned length = byte(bits.at) | byte(bits.at + 1) << 8;
  const unsigned check = byte(bits.at + 2) | byte(bits.at + 3) << 8;
  bits.at += 4;
  if (length != (~check & 0xFFFFu) || bits.at + length > bits.in.size()) return false;
  out.append(bits.in, bits.at, length);
  bits.at += length;
  return true;
}

bool fixed(Bits& bits, std::string& out) {
  short length[288];
  for (int s = 0; s < 288; ++s) length[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  Huffman lengths, distances;
  build(lengths, length, 288);
  for (int s = 0; s < 30; ++s) length[s] = 5;
  build(distances, length, 30);
  return codes(bits, out, lengths, distances);
}

bool dynamic(Bits& bits, std::string& out) {
  static const short order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  const int literalCount = bits.take(5) + 257;
  const int distanceCount = bits.take(5) + 1;
  const int codeCount = bits.take(4) + 4;
  if (literalCount > 286 || distanceCount > 30) return false;
  short length[320] = {};
  for (int i = 0; i < codeCount; ++i) length[order[i]] = static_cast<short>(bits.take(3));
  Huffman lengths, distances;
  if (!build(lengths, length, 19)) return false;
  const int total = literalCount + distanceCount;
  for (int index = 0; index < total;) {
    const int symbol = decode(bits, lengths);
    if (symbol < 0 || bits.overrun) return false;
    if (symbol < 16) {
      length[index++] = static_cast<short>(symbol);
      continue;
    }
    short repeated = 0;
    int times = 0;
    if (symbol == 16) {
      if (index == 0) return false;
      repeated = length[index - 1];
      times = 3 + bits.take(2);
    } else {
      times = symbol == 17 ? 3 + bits.take(3) : 11 + bits.take(7);
    }
    if (index + times > total) return false;
    while (times-- > 0) length[index++] = repeated;
  }
  if (length[256] == 0) return false;  // no end of block
  if (!build(lengths, length, literalCount) ||
      !build(distances, length + literalCount, distanceCount)) {
    return false;
  }
  return codes(bits, out, lengths, distances);
}

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

}  // namespace

bool inflate(const std::string& packed, std::string& out) {
  Bits bits{packed};
  int last = 0;
  do {
    last = bits.take(1);
    const int type = bits.take(2);
    const bool ok = type == 0   ? stored(bits, out)
                    : type == 1 ? fixed(bits, out)
                    : type == 2 ? dynamic(bits, out)
                                : false;
    if (!ok || bits.overrun) return false;
  } while (!last);
  return true;
}

std::string unpack(const fs::path& archive, const fs::path& into) {
  std::ifstream in(archive, std::ios::binary);
  const std::string zip((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t at = 0;
  int files = 0;
  while (at + 30 <= zip.size() && le(zip, at, 4) == 0x04034b50u) {
    const uint32_t flags = le(zip, at + 6, 2);
    const uint32_t method = le(zip, at + 8, 2);
    const uint32_t crc = le(zip, at + 14, 4);
    const uint32_t packedSize = le(zip, at + 18, 4);
    const uint32_t size = le(zip, at + 22, 4);
    const uint32_t nameLength = le(zip, at + 26, 2);
    const uint32_t extraLength = le(zip, at + 28, 2);
    const size_t dataAt = at + 30 + nameLength + extraLength;
    if (flags & 8) return "an entry's sizes are not in its header";
    if (dataAt + packedSize > zip.size()) return "the archive is cut short";
    const std::string rawName = zip.substr(at + 30, nameLength);
    const std::wstring name = (flags & 0x800) ? base::fromUtf8(rawName) : base::fromAnsi(rawName);
    const std::string packed = zip.substr(dataAt, packedSize);
    std::string data;
    if (method == 0) {
      data = packed;
    } else if (method != 8 || !inflate(packed, data)) {
      return "cannot unpack " + rawName;
    }
    if (data.size() != size || crc32(data) != crc) return "checksum of " + rawName + " differs";
    const fs::path target = into / fs::path(name);
    if (!name.empty() && name.back() == L'/') {
      fs::create_directories(target);
    } else {
      fs::create_directories(target.parent_path());
      std::ofstream(target, std::ios::binary)
          .write(data.data(), static_cast<std::streamsize>(data.size()));
      ++files;
    }
    at = dataAt + packedSize;
  }
  return files > 0 ? "" : "no files in the archive";
}

}  // namespace zip_test
