// Acting on another process's windows. Anything that may open a modal box
// is posted, never sent: a sent message would wait until the box closed.
#pragma once

#include <windows.h>

#include <string_view>

#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

// Presses the button as a click would (BM_CLICK, posted).
void PressButton(HWND button);

// Chooses the menu item with this command ID of the window (WM_COMMAND, posted).
void ChooseMenuItem(HWND window, int itemId);

// Asks the window to close as its close box would (WM_CLOSE, posted).
void RequestClose(HWND window);

// Presses and releases the key (a virtual-key code) as typed into the
// window: WM_KEYDOWN and WM_KEYUP, posted. The window's message loop sees
// them as it sees typing, dialog keys such as Esc and Enter included.
void PressKey(HWND window, UINT virtualKey);

// The control of `window` that has the keyboard focus, or null when the
// focus is elsewhere.
HWND FocusedControl(HWND window);

// Replaces the window's text (WM_SETTEXT, sent: it opens nothing).
void ReplaceText(HWND window, std::wstring_view text);

// Gives the window this outer size, keeping its place.
void ResizeOuter(HWND window, PixelSize size);

// Returns once the thread owning `button` has handled everything posted to
// it before this call. Posted messages are handled in order, so a round
// trip of the button's pushed state, posted behind them, marks the point.
void WaitUntilPostedMessagesHandled(HWND button, Milliseconds limit);

}  // namespace pravex::e2e
