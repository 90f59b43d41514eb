#pragma once
#include "framework/core/String.h"

#include <windows.h>

// The system's own text for an error code, in the user's language, without its line end;
// empty for a code the system has no text for.
CString SystemMessage(DWORD error);
