// Zip archive unpacking, inflated with zlib (see zip_unpack.h).
#include "zip_unpack.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>

#include "base/encoding.h"

namespace fs = std::filesystem;

namespace zip_test {
namespace {

uint32_t le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

}  // namespace

bool inflate(const std::string& packed, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());
  int result = Z_OK;
  char chunk[65536];
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    result = ::inflate(&z, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - z.avail_out);
    if (result == Z_BUF_ERROR && z.avail_in == 0) break;  // cut short
  }
  inflateEnd(&z);
  return result == Z_STREAM_END;
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
    if (data.size() != size || ::crc32(0, reinterpret_cast<const Bytef*>(data.data()),
                                       static_cast<uInt>(data.size())) != crc)
      return "checksum of " + rawName + " differs";
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
