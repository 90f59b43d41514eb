#pragma once
#include "framework/core/String.h"

// What the file system says of a path: whether it names an entry, its full form, and a
// code-page form that reaches the very entry.

// Whether path names one existing file or folder; a wildcard pattern never does.
bool FileExists(const CString& path);

// Whether path names an existing folder, a share's root (\\server\share) included, which
// the shell's directory test denies.
bool IsFolder(const CString& path);

// path as the full path it names from the folder base: a relative path ("..", "sub\x")
// is taken from base ("\x" from base's drive), or from the current directory when base
// is empty, and the platform's rules then fold "." and "..", doubled separators and
// trailing blanks and dots of names. "C:" alone gives "C:\", not the drive's current
// directory. "" when there is no such path or it does not fit in MAX_PATH.
CString FullPath(const CString& base, const CString& path);

// The code-page text of a UTF-16 path that reaches that very entry: the path itself when
// it converts exactly and keeps every name (see FaultOf), else the path with each name
// that does not replaced by its short name; false when one has none that does (text
// then holds a lossy form).
bool ReachingPath(const wchar_t* path, CString& text);
