#include "framework/core/NameConversion.h"

#include "framework/core/PathText.h"

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

NameFault ListedName(const WIN32_FIND_DATAW& entry, char* name)
{
    const NameFault fault = ExactAnsiName(entry.cFileName, name) ? FaultOf(entry.cFileName) : NameFault::CodePage;
    if (fault == NameFault::None)
        return fault;
    char shortName[MAX_PATH];
    if (entry.cAlternateFileName[0] != L'\0' && ExactAnsiName(entry.cAlternateFileName, shortName) &&
        FaultOf(entry.cAlternateFileName) == NameFault::None) {
        lstrcpyA(name, shortName);
        return NameFault::None;
    }
    return fault;
}

NameFault ListedName(const WIN32_FIND_DATAW& entry, CString& name)
{
    char text[MAX_PATH];
    const NameFault fault = ListedName(entry, text);
    name = text;
    return fault;
}

bool WidePath(const CString& path, wchar_t* wide, int size)
{
    const char* text = path.GetString() ? path.GetString() : "";
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size) != 0;
}
