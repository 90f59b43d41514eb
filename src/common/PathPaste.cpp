#include "common/PathPaste.h"

#include "common/Messages.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"

#include <shlwapi.h>

namespace {

const int PasteSize = 4 * MAX_PATH;

// The clipboard's text in UTF-16; false when it holds none or more than text takes.
bool ClipboardText(HWND owner, wchar_t* text)
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* locked = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const bool fits = locked != nullptr && lstrlenW(locked) < PasteSize;
    if (fits)
        lstrcpyW(text, locked);
    if (locked != nullptr)
        GlobalUnlock(data);
    CloseClipboard();
    return fits;
}

bool HoldsEveryCharacter(const wchar_t* text)
{
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0,
                                          nullptr, &usedDefault);
    return bytes > 0 && !usedDefault;
}

// Appends the code-page text to wide, which holds size characters; false when it is full.
bool AppendWide(wchar_t* wide, int size, const CString& text)
{
    const int used = lstrlenW(wide);
    const char* ansi = text.GetString() != nullptr ? text.GetString() : "";
    return *ansi == '\0' || MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide + used, size - used) != 0;
}

}  // namespace

bool PastedPath(const CString& text, int start, int end, const wchar_t* pasted, wchar_t* path, int size)
{
    path[0] = L'\0';
    if (!AppendWide(path, size, text.Left(start)) || lstrlenW(path) + lstrlenW(pasted) >= size ||
        lstrcatW(path, pasted) == nullptr || !AppendWide(path, size, text.Mid(end, text.GetLength())))
        return false;
    const wchar_t* unquoted = Unquoted(path);  // a path copied with its quotes
    MoveMemory(path, unquoted, (lstrlenW(unquoted) + 1) * sizeof(wchar_t));
    return true;
}

bool PastePath(CInputBox& box)
{
    wchar_t pasted[PasteSize], path[2 * PasteSize];
    if (!ClipboardText(box.GetHwnd(), pasted) || HoldsEveryCharacter(pasted))
        return true;
    DWORD start = 0, end = 0;
    box.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CString reaching;
    if (PastedPath(box.GetWindowText(), static_cast<int>(start), static_cast<int>(end), pasted, path,
                   2 * PasteSize) &&
        !PathIsRelativeW(path) && ReachingPath(path, reaching)) {
        box.SetWindowText(reaching.GetString());
        box.SendMessage(EM_SETSEL, reaching.GetLength(), reaching.GetLength());
        return false;
    }
    Tell(box.GetHwnd(), PasteRefusal(), Notice::Warning);
    return false;
}
