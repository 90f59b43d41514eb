#pragma once
#include "framework/core/String.h"

class CSystemData;

// What the three dialogs of the settings subsystem share: the black background with
// white label text, and handing a working copy back to the settings singleton.

// The answer to WM_CTLCOLORDLG: the stock black brush, never deleted.
LRESULT BlackDialogBrush();

// The answer to WM_CTLCOLORSTATIC for the device context in wParam: white on black.
LRESULT WhiteOnBlack(WPARAM deviceContext);

// Copies workingCopy into the singleton and writes the whole settings file. When the
// file cannot be written the singleton gets its old values back and the user is told
// in a message box owned by owner; the caller then keeps its dialog open. Without a
// singleton there is nothing to store, which counts as success.
bool StoreSettings(HWND owner, const CSystemData& workingCopy);
