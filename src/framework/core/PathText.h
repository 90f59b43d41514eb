#pragma once
#include "framework/core/String.h"

// Path splitting that knows Shift-JIS: the trail byte of 表, ソ or 十 is 0x5C, the same
// byte as the separator, so only a backslash that starts a character counts.

// Index of the last real backslash in path, or -1.
int FindLastSeparator(const CString& path);

// The name after the last real backslash: "C:\表\a.exe" gives "a.exe", "a.exe" itself.
CString FileName(const CString& path);

// Whether the last character of path is a backslash (not a trail byte).
bool EndsWithSeparator(const CString& path);

// path without the backslashes it ends in: "C:\表\\" gives "C:\表".
CString WithoutClosingSeparators(const CString& path);

// Whether path names the top of a drive or share, with nothing above it: "C:", "C:\",
// "\", "\\server\share" or "\\server\share\".
bool IsRootPath(const CString& path);

// Index of the backslash that starts path's last name, trailing backslashes skipped
// ("C:\A\B\" gives 4), or -1.
int FindNameSeparator(const CString& path);

// name joined to the folder base with one backslash; ".." gives base's parent folder,
// or "" when base is a drive or share root. A drive is given as its root ("C:\\").
CString JoinPath(const CString& base, const CString& name);

// Whether path names one existing file or folder; a wildcard pattern never does.
bool FileExists(const CString& path);

// text without one pair of double quotes around it, as "copy as path" pastes a path.
CString Unquoted(const CString& text);

// The code-page text of a UTF-16 name, true only when it names the same thing again:
// no best-fit look-alike (é read as e), no '?' for a character the code page lacks,
// and no longer than MAX_PATH - 1 bytes (a path, or what a list cell gives back).
// Otherwise text holds a lossy form with '?'. The char form writes to MAX_PATH bytes.
bool ExactAnsiName(const wchar_t* wide, CString& text);
bool ExactAnsiName(const wchar_t* wide, char* text);

// The name a folder row shows for entry, and whether that name leads back to the entry.
// A name the code page cannot hold, or one ending in a dot or a blank, is replaced by
// the file system's short name; without
// one the row keeps a lossy name that must not be opened. The char form writes to
// MAX_PATH bytes, for a listing that converts every name on the stack.
bool ListedName(const WIN32_FIND_DATAW& entry, CString& name);
bool ListedName(const WIN32_FIND_DATAW& entry, char* name);

// path in UTF-16 for the wide file functions; false when it does not fit in size.
bool WidePath(const CString& path, wchar_t* wide, int size);

// path as one command-line argument in double quotes: backslashes before the closing
// quote are doubled so they do not escape it (a trail byte 0x5C is left alone).
CString QuotedArgument(const CString& path);

// path as the full path it names from the folder base: a relative path ("..", "sub\x")
// is taken from base ("\x" from base's drive), or from the current directory when base
// is empty, and the platform's rules then fold "." and "..", doubled separators and
// trailing blanks and dots of names. "C:" alone gives "C:\", not the drive's current
// directory. "" when there is no such path or it does not fit in MAX_PATH.
CString FullPath(const CString& base, const CString& path);

// Whether the file system would read name as another one: one ending in a dot or a
// blank ("." and ".." are not such names).
bool EndsInDotOrBlank(const wchar_t* name);
bool EndsInDotOrBlank(const CString& name);

// Whether no name in path ends in a dot or a blank.
bool KeepsEveryName(const wchar_t* path);

// The code-page text of a UTF-16 path that reaches that very entry: the path itself when
// it converts exactly and keeps every name, else its short form when that does; false
// when neither does (text then holds a lossy form).
bool ReachingPath(const wchar_t* path, CString& text);

// Tells the user, in a message box owned by owner, that the entry shown as lossy cannot be
// named by a path that reaches it.
void RefuseChosenName(HWND owner, const CString& lossy);
