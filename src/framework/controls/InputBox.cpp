#include "framework/controls/InputBox.h"

#include "framework/core/PathText.h"

#include <shlwapi.h>


IMPLEMENT_RUNTIME_CLASS(CInputBox, CEditBase)

CInputBox::CInputBox() {}

CInputBox::~CInputBox() {}

DWORD CInputBox::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
}

LRESULT CInputBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PASTE && !PasteAsItStands())
        return 0;
    return CEditBase::WindowProc(window, message, wParam, lParam);
}

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

// The box keeps code-page text, so the edit control would turn …\café into …\cafe, a
// path to another folder. Such a paste becomes the short path of the entry the box would
// then name, or is refused with a message; text the code page holds pastes as usual.
bool CInputBox::PasteAsItStands()
{
    wchar_t pasted[PasteSize], whole[2 * PasteSize] = L"";
    if (!ClipboardText(m_hWnd, pasted) || HoldsEveryCharacter(pasted))
        return true;
    const CString text = GetWindowText();
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool fits = AppendWide(whole, 2 * PasteSize, text.Left(static_cast<int>(start))) &&
                      lstrlenW(whole) + lstrlenW(pasted) < 2 * PasteSize &&
                      lstrcatW(whole, pasted) != nullptr &&
                      AppendWide(whole, 2 * PasteSize, text.Mid(static_cast<int>(end), text.GetLength()));
    wchar_t* path = whole;
    const int length = lstrlenW(whole);
    if (length >= 2 && whole[0] == L'"' && whole[length - 1] == L'"') {
        whole[length - 1] = L'\0';  // a path copied with its quotes
        ++path;
    }
    CString reaching;
    if (fits && !PathIsRelativeW(path) && ReachingPath(path, reaching)) {
        SetWindowText(reaching.GetString());
        SendMessage(EM_SETSEL, reaching.GetLength(), reaching.GetLength());
        return false;
    }
    char caption[MAX_PATH] = "";
    ::GetWindowTextA(::GetAncestor(m_hWnd, GA_ROOT), caption, MAX_PATH);
    ::MessageBoxA(m_hWnd,
                  "貼り付ける文字列には、この欄で表せない文字があります。\r\n"
                  "そのままでは別のファイルやフォルダの名前に変わるため、貼り付けません。",
                  caption, MB_OK | MB_ICONWARNING);
    return false;
}
