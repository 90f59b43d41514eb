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

bool IsFolder(const CString& path)
{
    if (path.IsEmpty())
        return false;
    const DWORD attributes = GetFileAttributesA(path.GetString());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

namespace {

// The short name of the entry named exactly name in folder (a \\?\ path, so that no name
// is read as another); false without one that keeps its name. A name holding * or ? is a
// pattern to the search, so each entry found is compared.
bool ShortNameOf(const wchar_t* folder, const wchar_t* name, wchar_t* shortName)
{
    wchar_t pattern[MAX_PATH + 16];
    if (lstrlenW(folder) + lstrlenW(name) + 2 >= MAX_PATH + 16)
        return false;
    lstrcpyW(pattern, folder);
    lstrcatW(pattern, L"\\");
    lstrcatW(pattern, name);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    do
        found = lstrcmpW(entry.cFileName, name) == 0;
    while (!found && FindNextFileW(search, &entry));
    FindClose(search);
    char ansi[MAX_PATH];
    if (!found || entry.cAlternateFileName[0] == L'\0' || !ExactAnsiName(entry.cAlternateFileName, ansi) ||
        FaultOf(entry.cAlternateFileName) != NameFault::None)
        return false;
    lstrcpyW(shortName, entry.cAlternateFileName);
    return true;
}

}  // namespace

// Name by name: only a name the path would lose is replaced by its short name, so the
// user still knows every folder on the way.
bool ReachingPath(const wchar_t* path, CString& text)
{
    if (ExactAnsiName(path, text) && KeepsEveryName(path))
        return true;
    const int root = RootLength(path);
    if (root == 0 || lstrlenW(path) >= MAX_PATH || (path[0] == L'\\' && path[2] == L'?'))
        return false;
    wchar_t shown[MAX_PATH], real[MAX_PATH + 8], name[MAX_PATH], shortName[16];
    lstrcpynW(shown, path, root + 1);
    lstrcpyW(real, path[0] == L'\\' ? L"\\\\?\\UNC" : L"\\\\?\\");
    lstrcatW(real, path[0] == L'\\' ? shown + 1 : shown);
    for (const wchar_t* start = path + root; *start != L'\0';) {
        while (*start == L'\\' || *start == L'/')
            ++start;
        const wchar_t* end = start;
        while (*end != L'\0' && *end != L'\\' && *end != L'/')
            ++end;
        if (end == start)
            break;
        lstrcpynW(name, start, static_cast<int>(end - start) + 1);
        char ansi[MAX_PATH];
        const bool keeps = ExactAnsiName(name, ansi) && FaultOf(name) == NameFault::None;
        if (!keeps && !ShortNameOf(real, name, shortName))
            return false;
        if (lstrlenW(shown) + lstrlenW(name) + 2 >= MAX_PATH)
            return false;
        lstrcatW(shown, L"\\");
        lstrcatW(shown, keeps ? name : shortName);
        lstrcatW(real, L"\\");
        lstrcatW(real, name);
        start = end;
    }
    if (*path != L'\0' && (path[lstrlenW(path) - 1] == L'\\') && shown[lstrlenW(shown) - 1] != L'\\')
        lstrcatW(shown, L"\\");
    return ExactAnsiName(shown, text);
}
