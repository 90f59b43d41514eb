#pragma once
#include "framework/core/Window.h"

// Keys that move the keyboard between the main window's children, as users of the
// system's own explorer know them: F4, Ctrl+L and Alt+D go to the path box with its
// whole text selected; F6 goes on through list, path box and browse button, Shift+F6 back.
enum class KeyboardStop { None, PathBox, Next, Previous };

// Sent by a child to its parent to move the keyboard: wParam the KeyboardStop, lParam the
// child's window. Alt+D, a menu key, reaches the main window through its menu bar instead.
const UINT WM_MOVE_KEYBOARD = WM_APP + 2;

// The stop key asks for with the given modifiers held.
KeyboardStop StopOfKey(UINT key, bool ctrl, bool shift);

// The stop of a key press being handled now, with the modifiers held for it.
KeyboardStop StopOfKeyHeld(UINT key);

// For a key press child is handling now: hands a key that moves the keyboard to the
// parent; true when it did, and the control must then not see the key.
bool PassKeyboard(CWindow& child, UINT key);
