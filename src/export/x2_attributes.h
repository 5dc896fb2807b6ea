// Standard Gerber file attributes that let the board house's software
// recognise each file by itself: who made it, when, what the file is and
// its polarity. Gerber files carry them as "%TF.…*%" records, drill files as
// "; #@! TF.…" comments.
#pragma once

#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "base/settings_store.h"

namespace exportcore {

// What the attributes of one export are made from: the creation time, and
// the file function of each CAM layer type name (main.ini, section [x2]).
struct X2Setup {
  std::wstring creationDate;                       // "2026-12-09T16:20:05+03:00"
  std::map<std::wstring, std::wstring> functions;  // "Металл верхний" -> "Copper,Top"
};

// The setup for an export at `when`: every key of [x2] with its value.
X2Setup readX2Setup(const base::SettingsStore& ini, std::time_t when);

// A local time in ISO 8601 with its offset from UTC.
std::wstring isoLocalTime(std::time_t when);

// The function of a copper file: the mapped "Copper,Top" with the copper
// layer number put in, "Copper,L1,Top". Other functions stay as they are.
std::wstring copperFunction(const std::wstring& mapped, int copperNumber);

// The function of a drill file joining copper layers `from` and `to` of
// `copperCount`: "Plated,1,4,PTH" through the board, "...,Blind" from an
// outer layer, "...,Buried" between inner layers.
std::wstring drillFunction(int from, int to, int copperCount);

// The attribute values, in file order: generation software, creation date,
// the file function (left out when `function` is empty), polarity.
std::vector<std::wstring> attributeValues(const X2Setup& setup, const std::wstring& function);

// As Gerber records, "%TF.FilePolarity,Positive*%".
std::vector<std::wstring> gerberAttributeLines(const std::vector<std::wstring>& values);
// As drill file comments, "; #@! TF.FilePolarity,Positive".
std::vector<std::wstring> drillAttributeLines(const std::vector<std::wstring>& values);

}  // namespace exportcore
