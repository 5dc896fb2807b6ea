// The zip archive writer (see zip_writer.h).
#include "export/zip_writer.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <system_error>

#include "base/error.h"
#include "base/file_replace.h"
#include "base/path_text.h"

namespace exportcore {

namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint16_t kVersion = 20;         // 2.0: deflate
constexpr uint16_t kUtf8Name = 1u << 11;  // general purpose flag: the name is UTF-8
constexpr uint16_t kDeflate = 8;
constexpr size_t kChunk = 64 * 1024;

void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// What a member's headers record.
struct Written {
  std::string name;
  uint32_t crc = 0;
  uint32_t packed = 0;
  uint32_t size = 0;
  uint32_t offset = 0;
};

// MS-DOS time and date of a local time.
std::pair<uint16_t, uint16_t> dosTimeDate(std::time_t when) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &when);
#else
  localtime_r(&when, &tm);
#endif
  const int year = std::max(tm.tm_year + 1900, 1980);
  const auto time = static_cast<uint16_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
  const auto date =
      static_cast<uint16_t>(((year - 1980) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
  return {time, date};
}

// The header fields that the local and the central header share.
std::string commonFields(const Written& w, std::pair<uint16_t, uint16_t> stamp) {
  std::string out;
  put16(out, kUtf8Name);
  put16(out, kDeflate);
  put16(out, stamp.first);
  put16(out, stamp.second);
  put32(out, w.crc);
  put32(out, w.packed);
  put32(out, w.size);
  put16(out, static_cast<uint32_t>(w.name.size()));
  put16(out, 0);  // extra field length
  return out;
}

class ArchiveFile {
 public:
  // Writes into `temp`; failures name `target`.
  ArchiveFile(const std::filesystem::path& temp, const std::filesystem::path& target,
              std::time_t when)
      : target_(target), out_(temp, std::ios::binary | std::ios::trunc), stamp_(dosTimeDate(when)) {
    if (!out_) fail();
  }

  void add(const ZipMember& member) {
    Written w;
    w.name = member.name;
    w.offset = position();
    writeLocalHeader(w);  // sizes and checksum patched in below
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
      fail();
    struct End {
      z_stream& z;
      ~End() { deflateEnd(&z); }
    } end{z};
    uint64_t size = 0;
    uint64_t packed = 0;
    auto feed = [&](const char* data, size_t n, bool last) {
      w.crc = static_cast<uint32_t>(
          crc32(w.crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(n)));
      size += n;
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
      z.avail_in = static_cast<uInt>(n);
      char buffer[kChunk];
      int result;
      do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        if (result == Z_STREAM_ERROR) fail();
        const size_t have = sizeof buffer - z.avail_out;
        out_.write(buffer, static_cast<std::streamsize>(have));
        packed += have;
      } while (z.avail_out == 0 || (last && result != Z_STREAM_END));
    };
    if (member.source.empty()) {
      feed(member.bytes.data(), member.bytes.size(), true);
    } else {
      std::ifstream in(member.source, std::ios::binary);
      if (!in) {
        throw base::AppError(L"Не удалось прочитать файл \"" + base::pathText(member.source) +
                             L"\" для архива.");
      }
      std::string chunk(kChunk, '\0');
      for (;;) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const size_t n = static_cast<size_t>(in.gcount());
        const bool last = in.eof();
        if (!last && !in) {
          throw base::AppError(L"Не удалось прочитать файл \"" + base::pathText(member.source) +
                               L"\" для архива.");
        }
        feed(chunk.data(), n, last);
        if (last) break;
      }
    }
    if (size > kLimit || packed > kLimit) fail();
    w.size = static_cast<uint32_t>(size);
    w.packed = static_cast<uint32_t>(packed);
    const std::streampos after = out_.tellp();
    out_.seekp(w.offset + 6);  // behind the signature and the version
    const std::string fields = commonFields(w, stamp_);
    out_.write(fields.data(), static_cast<std::streamsize>(fields.size()));
    out_.seekp(after);
    if (!out_) fail();
    written_.push_back(w);
  }

  void finish() {
    const uint32_t start = position();
    std::string dir;
    for (const Written& w : written_) {
      put32(dir, kCentralSignature);
      put16(dir, kVersion);  // made by: MS-DOS, 2.0
      put16(dir, kVersion);
      dir += commonFields(w, stamp_);
      put16(dir, 0);  // comment length
      put16(dir, 0);  // disk number
      put16(dir, 0);  // internal attributes
      put32(dir, 0);  // external attributes
      put32(dir, w.offset);
      dir += w.name;
    }
    const auto centralSize = static_cast<uint32_t>(dir.size());
    const uint64_t end = uint64_t{start} + centralSize;
    if (end > kLimit || written_.size() > 0xFFFF) fail();
    put32(dir, kEndSignature);
    put16(dir, 0);
    put16(dir, 0);
    put16(dir, static_cast<uint32_t>(written_.size()));
    put16(dir, static_cast<uint32_t>(written_.size()));
    put32(dir, centralSize);
    put32(dir, start);
    put16(dir, 0);
    out_.write(dir.data(), static_cast<std::streamsize>(dir.size()));
    out_.close();
    if (!out_) fail();
  }

 private:
  static constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();

  [[noreturn]] void fail() const {
    throw base::AppError(L"Не удалось записать архив \"" + base::pathText(target_) + L"\".");
  }

  uint32_t position() {
    const std::streamoff at = out_.tellp();
    if (at < 0 || static_cast<uint64_t>(at) > kLimit) fail();
    return static_cast<uint32_t>(at);
  }

  void writeLocalHeader(const Written& w) {
    std::string header;
    put32(header, kLocalSignature);
    put16(header, kVersion);
    header += commonFields(w, stamp_);
    header += w.name;
    out_.write(header.data(), static_cast<std::streamsize>(header.size()));
    if (!out_) fail();
  }

  std::filesystem::path target_;
  std::ofstream out_;
  std::pair<uint16_t, uint16_t> stamp_;
  std::vector<Written> written_;
};

}  // namespace

void writeZip(const std::filesystem::path& target, const std::vector<ZipMember>& members,
              std::time_t when) {
  const std::filesystem::path temp = base::tempPathNextTo(target);
  try {
    {
      ArchiveFile archive(temp, target, when);
      for (const ZipMember& member : members) archive.add(member);
      archive.finish();
    }
  } catch (const base::AppError&) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    throw;
  }
  try {
    base::replaceFile(temp, target);
  } catch (const base::AppError&) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    throw base::AppError(L"Не удалось записать архив \"" + base::pathText(target) +
                         L"\": файл занят, защищён от записи или на его месте стоит папка.");
  }
}

}  // namespace exportcore
