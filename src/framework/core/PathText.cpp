#include "framework/core/PathText.h"

#include <shlwapi.h>

int FindLastSeparator(const CString& path)
{
    const char* text = path.GetString();
    if (text == nullptr)
        return -1;
    int last = -1;
    for (const char* p = text; *p; p = CharNextA(p))
        if (*p == '\\')
            last = static_cast<int>(p - text);
    return last;
}

CString FileName(const CString& path)
{
    return path.Mid(FindLastSeparator(path) + 1, path.GetLength());
}

bool EndsWithSeparator(const CString& path)
{
    const int length = path.GetLength();
    return length > 0 && FindLastSeparator(path) == length - 1;
}

CString WithoutClosingSeparators(const CString& path)
{
    CString rest(path);
    while (EndsWithSeparator(rest))
        rest = rest.Left(rest.GetLength() - 1);
    return rest;
}

bool IsRootPath(const CString& path)
{
    const char* text = path.GetString();
    if (text == nullptr || text[0] == '\0')
        return false;
    const int length = path.GetLength();
    if (((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) && text[1] == ':')
        return length == 2 || (length == 3 && text[2] == '\\');
    if (text[0] != '\\')
        return false;
    if (text[1] != '\\')
        return length == 1;
    // A share: at most the backslash between server and share, and one at the very end.
    int separators = 0;
    for (const char* p = text + 2; *p; p = CharNextA(p))
        if (*p == '\\' && p[1] != '\0')
            ++separators;
    return separators <= 1;
}

int FindNameSeparator(const CString& path)
{
    const char* text = path.GetString();
    if (text == nullptr)
        return -1;
    int found = -1, run = -1;  // run: where the current stretch of backslashes began
    for (const char* p = text; *p; p = CharNextA(p)) {
        if (*p == '\\') {
            if (run < 0)
                run = static_cast<int>(p - text);
        } else if (run >= 0) {
            found = run;
            run = -1;
        }
    }
    return found;
}

namespace {

// name after base with one backslash between them.
CString Joined(const CString& base, const CString& name)
{
    CString joined(base);
    if (!EndsWithSeparator(base))
        joined += '\\';
    joined += name;
    return joined;
}

}  // namespace

// ".." of "X\\name\\" is X: the trailing backslash is no level of its own. Nothing is
// above a drive or share root; the empty result names no folder.
CString JoinPath(const CString& base, const CString& name)
{
    if (name == "..") {
        const int separator = IsRootPath(base) ? -1 : FindNameSeparator(base);
        if (separator < 0)
            return CString("");
        CString parent = base.Left(separator);
        if (IsRootPath(parent) && !EndsWithSeparator(parent))
            parent += '\\';  // "C:" would name the drive's current directory
        return parent;
    }
    return Joined(base, name);
}

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

// A quote is never a trail byte, so the ends can be tested byte-wise.
CString Unquoted(const CString& text)
{
    const int length = text.GetLength();
    if (length >= 2 && text.GetString()[0] == '"' && text.GetString()[length - 1] == '"')
        return text.Mid(1, length - 2);
    return text;
}

// Without best fit, every character either converts to one that converts back to it or
// is replaced by the default one, which usedDefault reports: no second conversion needed.
bool ExactAnsiName(const wchar_t* wide, char* text)
{
    // A list cell gives back at most MAX_PATH - 1 bytes; a longer name would come back cut.
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, text, MAX_PATH, nullptr,
                            &usedDefault) == 0) {
        lstrcpyA(text, "?");
        return false;
    }
    return !usedDefault;
}

bool ExactAnsiName(const wchar_t* wide, CString& text)
{
    char ansi[MAX_PATH];
    const bool exact = ExactAnsiName(wide, ansi);
    text = ansi;
    return exact;
}

bool ListedName(const WIN32_FIND_DATAW& entry, char* name)
{
    if (ExactAnsiName(entry.cFileName, name) && !EndsInDotOrBlank(entry.cFileName))
        return true;
    char shortName[MAX_PATH];
    if (entry.cAlternateFileName[0] != L'\0' && ExactAnsiName(entry.cAlternateFileName, shortName)) {
        lstrcpyA(name, shortName);
        return true;
    }
    return false;
}

bool ListedName(const WIN32_FIND_DATAW& entry, CString& name)
{
    char text[MAX_PATH];
    const bool exact = ListedName(entry, text);
    name = text;
    return exact;
}

bool WidePath(const CString& path, wchar_t* wide, int size)
{
    const char* text = path.GetString() ? path.GetString() : "";
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size) != 0;
}

CString QuotedArgument(const CString& path)
{
    CString quoted("\"");
    quoted += path;
    // Only real separators count: 表 before the quote must stay one character.
    for (int n = path.GetLength() - WithoutClosingSeparators(path).GetLength(); n > 0; --n)
        quoted += '\\';
    quoted += '"';
    return quoted;
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

// Names a path cannot carry as they stand: the file system reads "memo.txt." and
// "memo.txt " as memo.txt, and the code page turns é into e.

bool EndsInDotOrBlank(const wchar_t* name)
{
    const int length = lstrlenW(name);
    if (length == 0 || lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0)
        return false;
    return name[length - 1] == L'.' || name[length - 1] == L' ';
}

bool EndsInDotOrBlank(const CString& name)
{
    const int length = name.GetLength();
    // Neither byte can be a trail byte, so the last byte is the last character.
    return length > 0 && name != "." && name != ".." &&
           (name.GetString()[length - 1] == '.' || name.GetString()[length - 1] == ' ');
}

bool KeepsEveryName(const wchar_t* path)
{
    wchar_t name[MAX_PATH];
    for (const wchar_t* start = path; *start != L'\0';) {
        const wchar_t* end = start;
        while (*end != L'\0' && *end != L'\\' && *end != L'/')
            ++end;
        const int length = static_cast<int>(end - start);
        if (length > 0 && length < MAX_PATH) {
            lstrcpynW(name, start, length + 1);
            if (EndsInDotOrBlank(name))
                return false;
        }
        start = *end != L'\0' ? end + 1 : end;
    }
    return true;
}

bool ReachingPath(const wchar_t* path, CString& text)
{
    if (ExactAnsiName(path, text) && KeepsEveryName(path))
        return true;
    wchar_t shortPath[MAX_PATH] = L"";
    const DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH && KeepsEveryName(shortPath) &&
           ExactAnsiName(shortPath, text);
}

void RefuseChosenName(HWND owner, const CString& lossy)
{
    char caption[MAX_PATH] = "";
    ::GetWindowTextA(owner, caption, MAX_PATH);
    CString text(lossy);
    text += "\r\n\r\nこの名前はこのままでは別のファイルやフォルダを指すため、使えません"
            "（表せない文字を含むか、末尾が . か空白で、短い名前もありません）。";
    ::MessageBoxA(owner, text.GetString(), caption, MB_OK | MB_ICONWARNING);
}
