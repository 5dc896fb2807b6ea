// What the program knows about the editor's interface (see editor_protocol.h).
#include "cadlink/editor_protocol.h"

#include <algorithm>

#include "base/int_text.h"

namespace cadlink {

namespace {

constexpr VersionEntry kVersions[] = {
    {2002, 32927, L"P-CAD 2002 PCB"},
    {2004, 32927, L"P-CAD 2004 PCB"},
    {2006, 60009, L"P-CAD 2006 PCB"},
};

void putLe32(ListItemRecord& r, size_t field, uint32_t v) {
  for (size_t k = 0; k < 4; ++k) r[field * 4 + k] = static_cast<uint8_t>(v >> (8 * k));
}

}  // namespace

int32_t versionFromTitle(const std::wstring& title) {
  return base::strToInt(title.size() > 6 ? title.substr(6, 4) : std::wstring());
}

std::wstring cutBuildText(const std::wstring& text) {
  if (text.size() <= 27) return std::wstring();
  return text.substr(26, text.size() - 27);
}

std::wstring textUpToNul(const wchar_t* buffer, size_t limit) {
  size_t n = 0;
  while (n < limit && buffer[n] != L'\0') ++n;
  return std::wstring(buffer, n);
}

const VersionEntry* findVersion(int32_t v) {
  for (const VersionEntry& e : kVersions) {
    if (e.version == v) return &e;
  }
  return nullptr;
}

std::array<uint32_t, 5> swellNotifications(const SwellParameter& p) {
  const uint32_t id = static_cast<uint32_t>(p.field) & 0xFFFF;
  constexpr uint32_t kEnSetFocus = 0x0100, kEnKillFocus = 0x0200, kEnChange = 0x0300,
                     kEnUpdate = 0x0400;
  return {(3u << 16) | static_cast<uint32_t>(kConfigureTab), (kEnSetFocus << 16) | id,
          (kEnUpdate << 16) | id, (kEnChange << 16) | id, (kEnKillFocus << 16) | id};
}

const wchar_t* gerberDialogTitle(const std::wstring& version) {
  return version == L"2002" ? L"File Gerber Out" : L"File Export Gerber";
}

ListItemRecord listItemRecord(uint32_t remoteBlock, int32_t row, int32_t column) {
  ListItemRecord r{};
  putLe32(r, 0, kLvifText);                                                 // mask
  putLe32(r, 1, static_cast<uint32_t>(row));                                // iItem
  putLe32(r, 2, static_cast<uint32_t>(column));                             // iSubItem
  putLe32(r, 5, remoteBlock + static_cast<uint32_t>(kListItemRecordSize));  // pszText
  putLe32(r, 6, kCellTextMax);                                              // cchTextMax
  return r;
}

bool cellTextFromBlock(const uint8_t* block, size_t size, uint32_t remoteBlock,
                       std::wstring& text) {
  text.clear();
  if (size < kListItemRecordSize) return false;
  uint32_t pointer = 0;
  for (size_t k = 0; k < 4; ++k) pointer |= static_cast<uint32_t>(block[5 * 4 + k]) << (8 * k);
  const uint32_t offset = pointer - remoteBlock;  // wraps for a pointer below the block
  if (offset < kListItemRecordSize || offset >= size) return false;
  const size_t units = std::min<size_t>((size - offset) / 2, kCellReadBytes / 2);
  for (size_t i = 0; i < units; ++i) {
    const size_t at = offset + 2 * i;
    const wchar_t c = static_cast<wchar_t>(block[at] | (block[at + 1] << 8));
    if (c == L'\0') break;
    text += c;
  }
  return true;
}

std::wstring chooserEntry(const std::wstring& title, int32_t version, int32_t build) {
  return title + L" " + std::to_wstring(version) + L"_" + std::to_wstring(build);
}

}  // namespace cadlink
