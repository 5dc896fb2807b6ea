// UTF-8, UTF-16LE and 8-bit code page conversions. Works with both widths of
// wchar_t: UTF-16 code units on Windows, code points elsewhere.
#include "base/encoding.h"

#include <unordered_map>

namespace base {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

// Bytes that are not valid UTF-8 are kept as the lone surrogates
// U+DC80..U+DCFF, so that a file with stray bytes is written back unchanged.
constexpr char32_t kEscapeBase = 0xDC00;

void appendCodePoint(std::wstring& out, char32_t cp) {
  if (kWideIsUtf16 && cp > 0xFFFF) {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(cp));
  }
}

// Reads one code point from wide text at `i`, combining surrogate pairs when
// wchar_t holds UTF-16. Lone surrogates are returned as they are.
char32_t nextCodePoint(std::wstring_view text, size_t& i) {
  char32_t c = static_cast<char32_t>(text[i++]) & (kWideIsUtf16 ? 0xFFFF : 0xFFFFFFFF);
  if (kWideIsUtf16 && c >= 0xD800 && c <= 0xDBFF && i < text.size()) {
    char32_t low = static_cast<char32_t>(text[i]) & 0xFFFF;
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++i;
      return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return c;
}

std::array<wchar_t, 256> makeTable(const char16_t (&high)[128]) {
  std::array<wchar_t, 256> t{};
  for (int i = 0; i < 128; ++i) t[i] = static_cast<wchar_t>(i);
  for (int i = 0; i < 128; ++i) t[128 + i] = static_cast<wchar_t>(high[i]);
  return t;
}

// Bytes 0x80..0xFF. Bytes that the code page leaves undefined map to U+00xx,
// as Windows maps them, so every byte has its own character.
constexpr char16_t k1252High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,  // C0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,  // C8
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,  // D0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  // D8
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,  // E0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,  // E8
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,  // F0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,  // F8
};

constexpr char16_t k1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

struct AnsiPage {
  std::array<wchar_t, 256> toWide;
  std::unordered_map<wchar_t, unsigned char> toByte;

  void install(const std::array<wchar_t, 256>& table) {
    toWide = table;
    toByte.clear();
    // The first byte wins when a table names a character twice.
    for (int b = 255; b >= 0; --b) toByte[table[b]] = static_cast<unsigned char>(b);
  }
};

AnsiPage& ansiPage() {
  static AnsiPage page = [] {
    AnsiPage p;
    p.install(cp1252Table());
    return p;
  }();
  return page;
}

}  // namespace

std::wstring fromUtf8(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const unsigned char b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      out.push_back(static_cast<wchar_t>(b0));
      ++i;
      continue;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t minCp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      len = 2, cp = b0 & 0x1F, minCp = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      len = 3, cp = b0 & 0x0F, minCp = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      len = 4, cp = b0 & 0x07, minCp = 0x10000;
    }
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      const unsigned char b = static_cast<unsigned char>(bytes[i + k]);
      if ((b & 0xC0) != 0x80) {
        ok = false;
      } else {
        cp = (cp << 6) | (b & 0x3F);
      }
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (ok && (cp < minCp || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (ok) {
      appendCodePoint(out, cp);
      i += len;
    } else {
      out.push_back(static_cast<wchar_t>(kEscapeBase + b0));
      ++i;
    }
  }
  return out;
}

std::string toUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = nextCodePoint(text, i);
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
      out.push_back(static_cast<char>(cp - kEscapeBase));  // a stray byte kept from the input
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000 || cp > 0x10FFFF) {
      const char32_t c = cp > 0x10FFFF ? 0xFFFD : cp;
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::wstring fromUtf16Le(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  size_t i = 0;
  auto unitAt = [&](size_t k) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[k]) |
                                 (static_cast<unsigned char>(bytes[k + 1]) << 8));
  };
  while (i + 1 < bytes.size()) {
    char32_t u = unitAt(i);
    i += 2;
    if (!kWideIsUtf16 && u >= 0xD800 && u <= 0xDBFF && i + 1 < bytes.size()) {
      const char32_t low = unitAt(i);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    out.push_back(static_cast<wchar_t>(u));
  }
  // An odd last byte cannot be a UTF-16 unit; it is dropped.
  return out;
}

std::string toUtf16Le(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  auto put = [&](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>((u >> 8) & 0xFF));
  };
  size_t i = 0;
  while (i < text.size()) {
    char32_t cp = nextCodePoint(text, i);
    if (cp > 0x10FFFF) cp = 0xFFFD;
    if (cp > 0xFFFF) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::wstring fromAnsi(std::string_view bytes) {
  const auto& table = ansiPage().toWide;
  std::wstring out(bytes.size(), L'\0');
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
  return out;
}

std::string toAnsi(std::wstring_view text) {
  const auto& map = ansiPage().toByte;
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = i;
    nextCodePoint(text, i);  // a surrogate pair becomes one '?'
    auto it = i - start == 1 ? map.find(text[start]) : map.end();
    out.push_back(it != map.end() ? static_cast<char>(it->second) : '?');
  }
  return out;
}

bool ansiCanHold(std::wstring_view text) {
  const auto& map = ansiPage().toByte;
  for (wchar_t c : text) {
    if (map.find(c) == map.end()) return false;
  }
  return true;
}

void setAnsiTable(const std::array<wchar_t, 256>& table) { ansiPage().install(table); }

const std::array<wchar_t, 256>& cp1251Table() {
  static const std::array<wchar_t, 256> table = makeTable(k1251High);
  return table;
}

const std::array<wchar_t, 256>& cp1252Table() {
  static const std::array<wchar_t, 256> table = makeTable(k1252High);
  return table;
}

}  // namespace base
