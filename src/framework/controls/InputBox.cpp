#include "framework/controls/InputBox.h"

#include "framework/core/PathText.h"

#include <shlwapi.h>

#include <string>

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

// The clipboard's text in UTF-16; false when it holds none.
bool ClipboardText(HWND owner, std::wstring& text)
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* locked = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (locked != nullptr) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return locked != nullptr;
}

bool HoldsEveryCharacter(const std::wstring& text)
{
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr,
                                          0, nullptr, &usedDefault);
    return bytes > 0 && !usedDefault;
}

std::wstring Wide(const CString& text)
{
    const char* ansi = text.GetString() != nullptr ? text.GetString() : "";
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1)
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], length);
    return wide;
}

}  // namespace

// The box keeps code-page text, so the edit control would turn …\café into …\cafe, a
// path to another folder. Such a paste becomes the short path of the entry the box would
// then name, or is refused with a message; text the code page holds pastes as usual.
bool CInputBox::PasteAsItStands()
{
    std::wstring pasted;
    if (!ClipboardText(m_hWnd, pasted) || HoldsEveryCharacter(pasted))
        return true;
    const CString text = GetWindowText();
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring whole = Wide(text.Left(static_cast<int>(start))) + pasted +
                         Wide(text.Mid(static_cast<int>(end), text.GetLength()));
    if (whole.size() >= 2 && whole.front() == L'"' && whole.back() == L'"')
        whole = whole.substr(1, whole.size() - 2);  // a path copied with its quotes
    CString path;
    if (!PathIsRelativeW(whole.c_str()) && ReachingPath(whole.c_str(), path)) {
        SetWindowText(path.GetString());
        SendMessage(EM_SETSEL, path.GetLength(), path.GetLength());
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
