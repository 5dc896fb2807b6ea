// Seven-segment shapes of digits and letters.
#include "stroke_font.h"

#include <cwctype>

namespace standin {

namespace {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle.
constexpr unsigned kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64;
constexpr unsigned kBox = kA | kB | kC | kD | kE | kF;

unsigned segmentsOf(wchar_t c) {
  static const unsigned kDigits[10] = {kBox,
                                       kB | kC,
                                       kA | kB | kG | kE | kD,
                                       kA | kB | kG | kC | kD,
                                       kF | kG | kB | kC,
                                       kA | kF | kG | kC | kD,
                                       kA | kF | kG | kE | kD | kC,
                                       kA | kB | kC,
                                       kBox | kG,
                                       kA | kB | kC | kD | kF | kG};
  static const unsigned kLetters[26] = {
      kA | kB | kC | kE | kF | kG,  // A
      kC | kD | kE | kF | kG,       // b
      kA | kD | kE | kF,            // C
      kB | kC | kD | kE | kG,       // d
      kA | kD | kE | kF | kG,       // E
      kA | kE | kF | kG,            // F
      kA | kC | kD | kE | kF,       // G
      kB | kC | kE | kF | kG,       // H
      kE | kF,                      // I
      kB | kC | kD | kE,            // J
      kB | kC | kE | kF | kG,       // K (as H)
      kD | kE | kF,                 // L
      kA | kC | kE | kG,            // M
      kC | kE | kG,                 // n
      kBox,                         // O
      kA | kB | kE | kF | kG,       // P
      kA | kB | kC | kF | kG,       // q
      kE | kG,                      // r
      kA | kC | kD | kF | kG,       // S
      kD | kE | kF | kG,            // t
      kB | kC | kD | kE | kF,       // U
      kC | kD | kE,                 // v
      kB | kD | kF | kG,            // W
      kB | kC | kE | kF | kG,       // X (as H)
      kB | kC | kD | kF | kG,       // y
      kA | kB | kD | kE | kG,       // Z
  };
  wchar_t u = static_cast<wchar_t>(std::towupper(c));
  if (u >= L'0' && u <= L'9') return kDigits[u - L'0'];
  if (u >= L'A' && u <= L'Z') return kLetters[u - L'A'];
  if (u == L'-') return kG;
  if (u == L'_') return kD;
  if (u == L'.' || u == L',') return 0;
  return kBox;
}

}  // namespace

std::vector<Stroke> strokeText(const std::wstring& text, Point at, double height) {
  std::vector<Stroke> out;
  double x = at.x;
  for (wchar_t c : text) {
    if (c != L' ') {
      unsigned s = segmentsOf(c);
      double l = x, r = x + kGlyphWidth * height;
      double b = at.y, m = at.y + height / 2, t = at.y + height;
      if (s & kA) out.push_back({{l, t}, {r, t}});
      if (s & kB) out.push_back({{r, t}, {r, m}});
      if (s & kC) out.push_back({{r, m}, {r, b}});
      if (s & kD) out.push_back({{l, b}, {r, b}});
      if (s & kE) out.push_back({{l, m}, {l, b}});
      if (s & kF) out.push_back({{l, t}, {l, m}});
      if (s & kG) out.push_back({{l, m}, {r, m}});
      if (c == L'.' || c == L',') out.push_back({{l, b}, {l + 0.1 * height, b}});
    }
    x += kGlyphAdvance * height;
  }
  return out;
}

}  // namespace standin
