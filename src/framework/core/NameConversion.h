#pragma once
#include "framework/core/PathText.h"
#include "framework/core/String.h"

#include <windows.h>

// Between UTF-16 names and the code page, without the best-fit look-alikes that would
// name another entry.

// The code-page text of a UTF-16 name, true only when it names the same thing again:
// no best-fit look-alike (é read as e), no '?' for a character the code page lacks,
// and no longer than MAX_PATH - 1 bytes (a path, or what a list cell gives back).
// Otherwise text holds a lossy form with '?'. The char form writes to MAX_PATH bytes.
bool ExactAnsiName(const wchar_t* wide, CString& text);
bool ExactAnsiName(const wchar_t* wide, char* text);

// The name a folder row shows for entry, and why that name does not lead back to the
// entry (NameFault::None when it does). A name the code page cannot hold exactly, or one
// FaultOf finds fault with, is replaced by the file system's short name where that has
// no fault; without one the row keeps a lossy name that must not be opened. The char
// form writes to MAX_PATH bytes, for a listing that converts every name on the stack.
NameFault ListedName(const WIN32_FIND_DATAW& entry, CString& name);
NameFault ListedName(const WIN32_FIND_DATAW& entry, char* name);

// path in UTF-16 for the wide file functions; false when it does not fit in size.
bool WidePath(const CString& path, wchar_t* wide, int size);
