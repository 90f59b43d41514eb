#pragma once
#include "framework/core/String.h"

// Path text: splitting, joining, quoting and the rules about names, asking the file
// system nothing. It knows Shift-JIS: the trail byte of 表, ソ or 十 is 0x5C, the same
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

// name after base with one backslash between them, whatever name is.
CString Joined(const CString& base, const CString& name);

// name joined to the folder base with one backslash; ".." gives base's parent folder,
// or "" when base is a drive or share root. A drive is given as its root ("C:\\").
CString JoinPath(const CString& base, const CString& name);

// text without one pair of double quotes around it, as "copy as path" pastes a path.
// The wide form takes them off text in place and returns where the path then starts.
CString Unquoted(const CString& text);
wchar_t* Unquoted(wchar_t* text);

// A typed or pasted path as the system copies one: without the blanks around it, then
// without the double quotes around it.
CString PathAsGiven(const CString& text);

// path as one command-line argument in double quotes: backslashes before the closing
// quote are doubled so they do not escape it (a trail byte 0x5C is left alone).
CString QuotedArgument(const CString& path);

// Whether the file system would read name as another one: one ending in a dot or a
// blank ("." and ".." are not such names).
bool EndsInDotOrBlank(const wchar_t* name);

// Why the path functions would not read a name as itself: it ends in a dot or a blank
// (they drop those), holds a character Windows forbids in a name (" * : < > ? | \ / and
// 0x01 to 0x1F), or is a device's name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9,
// alone or before an extension, in any case). CodePage is the code page's own fault,
// which only a conversion can tell.
enum class NameFault { None, CodePage, DotOrBlank, Forbidden, Device };
NameFault FaultOf(const wchar_t* name);

// The length of path's root, which names no entry: "C:", "\\server\share", "\\?\C:",
// "\\?\UNC\server\share"; 0 for a relative path.
int RootLength(const wchar_t* path);

// Whether every name in path passes FaultOf: the root ("C:", "\\server\share",
// "\\?\") is no name.
bool KeepsEveryName(const wchar_t* path);
