#include "settings/SettingsDialog.h"

#include "framework/core/SystemMessage.h"
#include "settings/SystemData.h"

LRESULT BlackDialogBrush()
{
    return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
}

LRESULT WhiteOnBlack(WPARAM deviceContext)
{
    const HDC dc = reinterpret_cast<HDC>(deviceContext);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkColor(dc, RGB(0, 0, 0));
    return BlackDialogBrush();
}

namespace {

// What the user reads when the file could not be written: which file, and the system's
// reason (error is the last error of the failed call; 0 when there was none).
CString SaveFailureText(const CString& file, DWORD error)
{
    CString text = "設定を保存できませんでした。\r\n\r\n" + file;
    if (error != 0)
        text += "\r\n" + SystemMessage(error);
    return text;
}

}  // namespace

// The file may have changed since the dialog opened (by hand, or by another window's
// dialog): what the user left alone keeps what the file holds now.
bool StoreSettings(HWND owner, const CSystemData& opened, const CSystemData& edited)
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return true;
    // A file deleted meanwhile holds nothing to keep: the values the dialog opened on stand.
    const CString file = settings->GetFilePath(CSystemData::SettingsFile);
    const bool present = ::GetFileAttributesA(file.GetString()) != INVALID_FILE_ATTRIBUTES;
    CSystemData merged;
    SetLastError(0);
    if (present ? merged.Load() : merged.CopyFrom(&opened)) {
        merged.TakeChanges(opened, edited);
        SetLastError(0);
        if (merged.Save()) {
            settings->CopyFrom(&merged);
            return true;
        }
    }
    const DWORD error = GetLastError();
    // The singleton keeps what the file still holds.
    char caption[MAX_PATH] = "";
    ::GetWindowTextA(owner, caption, MAX_PATH);
    ::MessageBoxA(owner, SaveFailureText(file, error).GetString(), caption, MB_OK | MB_ICONERROR);
    return false;
}
