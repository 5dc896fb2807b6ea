// Layer roles, length texts and span lists of the output dialogs.
#include "output_job.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace standin {

namespace {

std::wstring lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

std::wstring_view trimmed(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

// Splits text[pos..] into whole layer names; appends them to `out`.
bool splitSpan(const Board& board, std::wstring_view text, size_t pos, std::vector<int>& out) {
  // Longer names first, so that "A%B" is taken whole when it is a layer.
  std::vector<int> candidates;
  for (size_t i = 0; i < board.layers.size(); ++i) {
    const std::wstring& name = board.layers[i].name;
    if (text.compare(pos, name.size(), name) != 0) continue;
    size_t end = pos + name.size();
    if (end == text.size() || text[end] == L'%') candidates.push_back(static_cast<int>(i));
  }
  std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
    return board.layers[static_cast<size_t>(a)].name.size() >
           board.layers[static_cast<size_t>(b)].name.size();
  });
  for (int layer : candidates) {
    size_t end = pos + board.layers[static_cast<size_t>(layer)].name.size();
    out.push_back(layer);
    if (end == text.size()) return true;
    if (splitSpan(board, text, end + 1, out)) return true;
    out.pop_back();
  }
  return false;
}

}  // namespace

LayerRole layerRole(const Layer& layer) {
  if (trimmed(layer.type) != L"NE") return LayerRole::Metal;
  std::wstring name = lower(layer.name);
  if (name.find(L"mask") != std::wstring::npos) return LayerRole::Mask;
  if (name.find(L"silk") != std::wstring::npos) return LayerRole::Silk;
  if (name == L"board") return LayerRole::Outline;
  return LayerRole::Other;
}

Side layerSide(const Layer& layer) {
  return lower(layer.name).rfind(L"bot", 0) == 0 ? Side::Bottom : Side::Top;
}

int firstMetalLayer(const Board& board) {
  for (size_t i = 0; i < board.layers.size(); ++i) {
    if (layerRole(board.layers[i]) == LayerRole::Metal) return static_cast<int>(i);
  }
  return -1;
}

int lastMetalLayer(const Board& board) {
  for (size_t i = board.layers.size(); i > 0; --i) {
    if (layerRole(board.layers[i - 1]) == LayerRole::Metal) return static_cast<int>(i - 1);
  }
  return -1;
}

bool spanIncludes(int from, int to, int layer) {
  return layer >= std::min(from, to) && layer <= std::max(from, to);
}

std::optional<double> parseLength(std::wstring_view text, OutputUnits bare) {
  text = trimmed(text);
  if (text.empty()) return 0.0;
  std::wstring whole(text);
  wchar_t* end = nullptr;
  double value = std::wcstod(whole.c_str(), &end);
  if (end == whole.c_str() || !std::isfinite(value)) return std::nullopt;
  std::wstring unit = lower(trimmed(std::wstring_view(end)));
  if (unit.empty()) return bare == OutputUnits::Inch ? value * kMmPerInch : value;
  if (unit == L"mm") return value;
  if (unit == L"mil") return value * kMmPerInch / 1000.0;
  if (unit == L"in" || unit == L"inch") return value * kMmPerInch;
  return std::nullopt;
}

std::optional<std::vector<int>> parseSpan(const Board& board, std::wstring_view text) {
  std::vector<int> span;
  if (text.empty()) return span;
  if (!splitSpan(board, text, 0, span)) return std::nullopt;
  return span;
}

}  // namespace standin
