// Texts the stand-in shows in its window titles and its build window.
#include "editor_ids.h"

namespace standin {

std::wstring buildWindowTitle(const std::wstring& version) { return L"P-CAD " + version + L" PCB"; }

unsigned buildCommand(const std::wstring& version) {
  if (version == L"2002" || version == L"2004") return kCmdBuildOld;
  if (version == L"2006") return kCmdBuild2006;
  return 0;
}

std::wstring gerberTitle(const std::wstring& version) {
  return version == L"2002" ? L"File Gerber Out" : L"File Export Gerber";
}

std::wstring mainTitle(const std::wstring& version, const std::wstring& fileName,
                       const std::wstring& suffix) {
  std::wstring title = L"P-CAD " + version + L" PCB - [" + fileName + L"]";
  if (!suffix.empty()) title += L" " + suffix;
  return title;
}

std::wstring buildText(const std::wstring& version, long build) {
  // "P-CAD 2004 PCB, Build No.[" is 26 characters for a four-digit version;
  // other lengths are padded or cut so the number always starts at 27.
  std::wstring prefix = L"P-CAD " + version + L" PCB, Build No.";
  prefix.resize(kBuildTextPrefix - 1, L' ');
  prefix += L'[';
  return prefix + std::to_wstring(build) + L"]";
}

}  // namespace standin
