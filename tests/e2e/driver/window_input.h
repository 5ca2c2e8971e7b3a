// Acting on another process's windows. Anything that may open a modal box
// is posted, never sent: a sent message would wait until the box closed.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

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

// A key as the user presses it, with the modifiers held down around it.
struct Keystroke {
  UINT key = 0;  // a virtual-key code
  bool shift = false;
  bool alt = false;
};

// Characters as typed into the window, each a posted WM_CHAR.
void PostChars(HWND window, std::wstring_view chars);

// Brings `window` to the foreground; throws std::runtime_error when it does
// not come there.
void BringToFront(HWND window);

// Input for the system's input queue: a key going down or up, the mouse
// moved to a point of the screen; sent in order, as the user's keyboard and
// mouse would. SendInputs throws std::runtime_error when it is refused.
INPUT KeyInput(UINT key, bool up);
INPUT MouseMoveInput(POINT screen);
void SendInputs(std::vector<INPUT> inputs);

// Brings `window` to the foreground and types the keystrokes through the
// system's input queue (SendInput), as the user's keyboard would: unlike
// posted keys they pass the program's dialog keys, access keys and menus.
// Throws std::runtime_error when the window does not come to the front.
void TypeKeys(HWND window, const std::vector<Keystroke>& keys);

// Brings the control's window to the foreground and clicks the middle of
// the control with the left mouse button (SendInput).
void ClickWithMouse(HWND control);

// Brings the window's top window to the foreground and drags with the left
// mouse button from one point of the screen to another (SendInput).
void DragWithMouse(HWND window, POINT from, POINT to);

// The control of `window` that has the keyboard focus, or null when the
// focus is elsewhere.
HWND FocusedControl(HWND window);

// Waits until `control` of `window` has the focus; whether it got it.
bool WaitForFocus(HWND window, HWND control, Milliseconds limit);

// Replaces the window's text (WM_SETTEXT, sent: it opens nothing).
void ReplaceText(HWND window, std::wstring_view text);

// Gives the window this outer size, keeping its place.
void ResizeOuter(HWND window, PixelSize size);

// Returns once the thread owning `button` has handled everything posted to
// it before this call. Posted messages are handled in order, so a round
// trip of the button's pushed state, posted behind them, marks the point.
void WaitUntilPostedMessagesHandled(HWND button, Milliseconds limit);

}  // namespace pravex::e2e
