// Starts a program and waits for its end without processing messages.
#pragma once

#include <cstdint>
#include <string>

// Starts `CommandLine` as a new process shown with `CommandShow` and waits,
// without a time limit, until it has ended; its exit code goes to `exitCode`
// when given. False when it could not be started (nothing was waited for then).
bool ExecAndWait(const std::wstring& CommandLine, int CommandShow, uint32_t* exitCode = nullptr);
