#include "framework/core/PathLookup.h"

#include "framework/core/NameConversion.h"
#include "framework/core/PathText.h"

#include <shlwapi.h>

bool FileExists(const CString& path)
{
    // A pattern would pass for whatever it matches: a path names one file.
    if (path.Find('*') >= 0 || path.Find('?') >= 0)
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.GetString(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

CString FullPath(const CString& base, const CString& path)
{
    const char* text = path.GetString();
    if (path.IsEmpty())
        return CString("");
    if (path.GetLength() == 2 && text[1] == ':')
        return path + "\\";
    CString full(path);
    const bool baseHasDrive = base.GetLength() >= 2 && base.GetString()[1] == ':';
    if (text[0] == '\\' && text[1] != '\\') {
        if (baseHasDrive)
            full = base.Left(2) + path;
    } else if (PathIsRelativeA(text) && !base.IsEmpty()) {
        full = Joined(base, path);
    }
    // Room for what a double-byte name makes of a path the platform still accepts: the
    // limit is then this function's own, not whatever a short buffer was left holding.
    char resolved[2 * MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(full.GetString(), sizeof resolved, resolved, nullptr);
    return length > 0 && length < MAX_PATH ? CString(resolved) : CString("");
}

bool ReachingPath(const wchar_t* path, CString& text)
{
    if (ExactAnsiName(path, text) && KeepsEveryName(path))
        return true;
    // Asked as it stands, the system would drop a name's closing dots and blanks and so
    // answer for another entry: the \\?\ form keeps every name as it is.
    wchar_t literal[MAX_PATH + 8], shortPath[MAX_PATH + 8] = L"";
    const bool literalAlready = path[0] == L'\\' && path[1] == L'\\' && path[2] == L'?';
    const bool share = !literalAlready && path[0] == L'\\' && path[1] == L'\\';
    if (lstrlenW(path) >= MAX_PATH || PathIsRelativeW(path))
        return false;
    lstrcpyW(literal, literalAlready ? L"" : share ? L"\\\\?\\UNC" : L"\\\\?\\");
    lstrcatW(literal, share ? path + 1 : path);
    const DWORD length = GetShortPathNameW(literal, shortPath, MAX_PATH + 8);
    if (length == 0 || length >= MAX_PATH + 8)
        return false;
    // The answer keeps the form it was asked in: back to the one a user types.
    const wchar_t* plain = shortPath + (literalAlready ? 0 : share ? 7 : 4);
    wchar_t unc[MAX_PATH + 8] = L"\\";
    if (share)
        plain = lstrcatW(unc, plain);
    return lstrlenW(plain) < MAX_PATH && KeepsEveryName(plain) && ExactAnsiName(plain, text);
}
