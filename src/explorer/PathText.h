#pragma once
#include "framework/core/String.h"

// Path splitting that knows Shift-JIS: the trail byte of 表, ソ or 十 is 0x5C, the same
// byte as the separator, so only a backslash that starts a character counts.

// Index of the last real backslash in path, or -1.
int FindLastSeparator(const CString& path);

// Whether the last character of path is a backslash (not a trail byte).
bool EndsWithSeparator(const CString& path);
