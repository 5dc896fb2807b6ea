// The steps of a dialog macro: one step per "S<n>" entry of a step section,
// its fields separated by "|", every field with its {Key} references
// replaced by the values of the block being run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plotrelay/plotrelay_job.h"

namespace plotrelay {

enum class StepKind { Command, WaitWindow, SetText, Check, Select, Click, WaitGone, Sleep };

struct Step {
  StepKind kind = StepKind::Sleep;
  int32_t id = 0;          // command ID, control ID, or milliseconds for sleep
  std::wstring title;      // waitwindow, waitgone
  std::wstring text;       // settext, select
  bool checked = false;    // check
  std::wstring errorText;  // waitwindow, select, waitgone: reported when the step fails
};

// The value of a key of the block being run (empty when absent).
using KeyLookup = std::function<std::wstring(const std::wstring& key)>;

// Replaces every "{Key}" in `field`: "{Base}" by `base`, any other by
// lookup(Key). The replacement text is not looked at again, so a value
// holding braces, "|" or "%" stays as it is. A "{" without a closing "}"
// stays as it is.
std::wstring expandRefs(const std::wstring& field, const KeyLookup& lookup,
                        const std::wstring& base);

// Parses one step entry value: splits at "|", expands every field and reads
// the step. Throws AppError with a readable text when the kind is unknown or
// a number or a check state is not one.
Step parseStep(const std::wstring& value, const KeyLookup& lookup, const std::wstring& base);

// The raw entry values "S1", "S2", ... of a step section, up to the first
// missing number.
std::vector<std::wstring> stepEntries(const JobSection& section);

}  // namespace plotrelay
