// Subclassing of a dialog's controls so that every message they receive
// from outside is journaled under the control's name ("<title>"#<id>), and
// optionally seen (and swallowed) by the dialog before the control acts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "standin_app.h"

namespace standin {

// Called for a message from outside before the control handles it; true
// swallows the message (the control never sees it, the sender gets 0).
using OutsideHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam)>;

void tapControl(StandinApp& app, HWND control, const std::wstring& target, OutsideHook hook = {});

}  // namespace standin
