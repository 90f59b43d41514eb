#include "framework/core/PathText.h"

#include <windows.h>

#include <cwchar>

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

CString Joined(const CString& base, const CString& name)
{
    CString joined(base);
    if (!EndsWithSeparator(base))
        joined += '\\';
    joined += name;
    return joined;
}

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

// A quote is never a trail byte, so the ends can be tested byte-wise.
CString Unquoted(const CString& text)
{
    const int length = text.GetLength();
    if (length >= 2 && text.GetString()[0] == '"' && text.GetString()[length - 1] == '"')
        return text.Mid(1, length - 2);
    return text;
}

CString PathAsGiven(const CString& text)
{
    const char* start = text.GetString() != nullptr ? text.GetString() : "";
    while (*start == ' ' || *start == '\t')
        ++start;
    int length = lstrlenA(start);
    while (length > 0 && (start[length - 1] == ' ' || start[length - 1] == '\t'))
        --length;  // neither byte is a trail byte
    return Unquoted(length > 0 ? CString(start, length) : CString(""));
}

wchar_t* Unquoted(wchar_t* text)
{
    const int length = lstrlenW(text);
    if (length < 2 || text[0] != L'"' || text[length - 1] != L'"')
        return text;
    text[length - 1] = L'\0';
    return text + 1;
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

// Names a path cannot carry as they stand: the file system reads "memo.txt." and
// "memo.txt " as memo.txt, and the code page turns é into e.

bool EndsInDotOrBlank(const wchar_t* name)
{
    const int length = lstrlenW(name);
    if (length == 0 || lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0)
        return false;
    return name[length - 1] == L'.' || name[length - 1] == L' ';
}

namespace {

bool IsForbidden(wchar_t ch)
{
    return (ch >= 0x01 && ch <= 0x1F) || (ch != L'\0' && wcschr(L"\"*:<>?|\\/", ch) != nullptr);
}

// Whether the first count characters of text are ascii's letters in any case.
bool StartsAsciiNoCase(const wchar_t* text, const char* ascii, int count)
{
    for (int i = 0; i < count; ++i)
        if (text[i] == L'\0' || (text[i] | 0x20) != (ascii[i] | 0x20) || text[i] > 0x7A)
            return false;
    return true;
}

// CON, PRN, AUX and NUL, or COM and LPT with a digit 1 to 9, before nothing or a dot.
// Asked for every listed entry: letters compared by hand, no locale call.
bool IsDeviceName(const wchar_t* name)
{
    static const char* const Devices[] = {"CON", "PRN", "AUX", "NUL", "COM", "LPT"};
    for (int i = 0; i < 6; ++i) {
        if (!StartsAsciiNoCase(name, Devices[i], 3))
            continue;
        const wchar_t* rest = name + 3;
        if (i >= 4 && *rest >= L'1' && *rest <= L'9')
            ++rest;
        else if (i >= 4)
            continue;
        while (*rest == L' ')  // "NUL .txt" is the device too
            ++rest;
        if (*rest == L'\0' || *rest == L'.')
            return true;
    }
    return false;
}

}  // namespace

int RootLength(const wchar_t* path)
{
    int at = 0;
    if (path[0] == L'\\' && path[1] == L'\\' && path[2] == L'?' && path[3] == L'\\') {
        at = 4;
        if (StartsAsciiNoCase(path + 4, "UNC", 3) && path[7] == L'\\')
            at = 6;  // on as for \\server
        else
            return path[at] != L'\0' && path[at + 1] == L':' ? at + 2 : at;
    } else if (path[0] != L'\0' && path[1] == L':') {
        return 2;
    } else if (!(path[0] == L'\\' && path[1] == L'\\')) {
        return 0;
    }
    at += 2;  // past \\ : the server, then the share
    for (int part = 0; part < 2; ++part) {
        while (path[at] != L'\0' && path[at] != L'\\' && path[at] != L'/')
            ++at;
        if (part == 0 && path[at] != L'\0')
            ++at;
    }
    return at;
}

NameFault FaultOf(const wchar_t* name)
{
    if (EndsInDotOrBlank(name))
        return NameFault::DotOrBlank;
    for (const wchar_t* ch = name; *ch; ++ch)
        if (IsForbidden(*ch))
            return NameFault::Forbidden;
    return IsDeviceName(name) ? NameFault::Device : NameFault::None;
}

bool KeepsEveryName(const wchar_t* path)
{
    wchar_t name[MAX_PATH];
    for (const wchar_t* start = path + RootLength(path); *start != L'\0';) {
        const wchar_t* end = start;
        while (*end != L'\0' && *end != L'\\' && *end != L'/')
            ++end;
        const int length = static_cast<int>(end - start);
        if (length >= MAX_PATH)
            return false;
        if (length > 0) {
            lstrcpynW(name, start, length + 1);
            if (FaultOf(name) != NameFault::None)
                return false;
        }
        start = *end != L'\0' ? end + 1 : end;
    }
    return true;
}
