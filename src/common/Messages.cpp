#include "common/Messages.h"

#include "framework/core/SystemMessage.h"

#include <cstdio>

void Tell(HWND owner, const CString& text, Notice kind)
{
    char caption[MAX_PATH] = "";
    const HWND main = owner != nullptr ? ::GetAncestor(owner, GA_ROOTOWNER) : nullptr;
    ::GetWindowTextA(main, caption, MAX_PATH);
    ::MessageBoxA(owner, text.GetString(), caption,
                  MB_OK | (kind == Notice::Error ? MB_ICONERROR : MB_ICONWARNING));
}

CString ReasonText(DWORD error)
{
    const CString text = SystemMessage(error);
    if (!text.IsEmpty())
        return text;
    char number[32];
    std::snprintf(number, sizeof number, "エラー %lu", static_cast<unsigned long>(error));
    return CString(number);
}

// Worded as the system's own messages: what it is about, a blank line, then why.

CString FolderRefusal(const CString& path, DWORD error)
{
    return "フォルダ「" + path + "」を表示できません。\r\n\r\n" + ReasonText(error);
}

CString SaveFailure(const CString& file, DWORD error)
{
    CString text = "設定を保存できませんでした。\r\n\r\n" + file;
    if (error != 0)
        text += "\r\n" + ReasonText(error);
    return text;
}

CString PasteRefusal()
{
    return CString("貼り付ける文字列には、この欄で表せない文字があります。\r\n"
                   "そのままでは別のファイルやフォルダの名前に変わるため、貼り付けません。");
}

CString NameRefusal(const CString& name, NameFault fault)
{
    const char* why = "";
    switch (fault) {
    case NameFault::None:
    case NameFault::CodePage:
        why = "この環境の文字で表せない文字を含み、";
        break;
    case NameFault::DotOrBlank:
        why = "末尾が . か空白で、";
        break;
    case NameFault::Forbidden:
        why = "Windows が名前に使わせない文字（\" * : < > ? | \\ / や制御文字）を含み、";
        break;
    case NameFault::Device:
        why = "装置の名前（CON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9）と読まれ、";
        break;
    }
    return "「" + name + "」を開けません。\r\n\r\nこの名前は" + why +
           "短い名前もないため、このままでは別のファイルやフォルダを指します。";
}

CString StartFailure(const CString& file, DWORD error)
{
    return "「" + file + "」を開けませんでした。\r\n\r\n" + ReasonText(error);
}

CString ChosenNameRefusal(const CString& lossy)
{
    return lossy + "\r\n\r\nこの名前はこのままでは別のファイルやフォルダを指すため、使えません"
                   "（表せない文字や使えない文字を含むか、装置の名前か、末尾が . か空白で、短い名前もありません）。";
}

CString VariableNameRefusal(const CString& file)
{
    return file + "\r\n\r\n名前の % が環境変数として読まれ、別のファイルが開かれるため、開きません。";
}
