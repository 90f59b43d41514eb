#pragma once
#include "framework/core/PathText.h"
#include "framework/core/String.h"

#include <windows.h>

// The explorer's own messages, its refusals and failures, all in this one place, and the
// one way they reach the user.

enum class Notice { Warning, Error };

// Shows text in a message box owned by owner, captioned with the title of the main
// window above owner (the top of its owners), with kind's icon.
void Tell(HWND owner, const CString& text, Notice kind);

// The system's reason for error in its words, or "エラー n" where it has none.
CString ReasonText(DWORD error);

// A folder that cannot be listed: its path, then the reason.
CString FolderRefusal(const CString& path, DWORD error);
// The settings file that could not be written, and why (error 0: no reason known).
CString SaveFailure(const CString& file, DWORD error);
// Pasted text the box cannot hold and no path of the same entry replaces.
CString PasteRefusal();
// A listed entry that no command may open, shown by name, and why (fault is not None).
CString NameRefusal(const CString& name, NameFault fault);
// A file or program that could not be opened or started, and why.
CString StartFailure(const CString& file, DWORD error);
// A picked entry that no path reaches, shown by its lossy name.
CString ChosenNameRefusal(const CString& lossy);
// A file whose name the shell would read as variables and that has no type to go by.
CString VariableNameRefusal(const CString& file);
