#pragma once
#include "framework/core/String.h"

class CSystemData;

// What the three dialogs of the settings subsystem share: the black background with
// white label text, and handing a working copy back to the settings singleton.

// The answer to WM_CTLCOLORDLG: the stock black brush, never deleted.
LRESULT BlackDialogBrush();

// The answer to WM_CTLCOLORSTATIC for the device context in wParam: white on black.
LRESULT WhiteOnBlack(WPARAM deviceContext);

// Reads the settings file afresh, applies what edited changed from opened (the settings
// as the dialog opened on them), writes the whole file and hands the result to the
// singleton. When the file cannot be read or written nothing changes and the user is
// told in a message box owned by owner; the caller then keeps its dialog open. Without
// a singleton there is nothing to store, which counts as success.
bool StoreSettings(HWND owner, const CSystemData& opened, const CSystemData& edited);
