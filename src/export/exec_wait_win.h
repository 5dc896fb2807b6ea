// Starts a program and waits for its end without processing messages.
#pragma once

#include <cstdint>
#include <string>

namespace exportcore {

// Starts `commandLine` as a new process shown with `showCommand` and waits,
// without a time limit, until it has ended; its exit code goes to `exitCode`
// when given. False when it could not be started (nothing was waited for then).
bool runAndWait(const std::wstring& commandLine, int showCommand, uint32_t* exitCode = nullptr);

}  // namespace exportcore
