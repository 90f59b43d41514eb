#include "settings/SettingsDialog.h"

#include "common/Messages.h"
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
    DWORD error = 0;
    if (present)
        error = merged.TryLoad();
    else
        merged.CopyFrom(&opened);
    if (error == 0) {
        merged.TakeChanges(opened, edited);
        error = merged.TrySave();
    }
    if (error == 0) {
        settings->CopyFrom(&merged);
        return true;
    }
    // The singleton keeps what the file still holds.
    Tell(owner, SaveFailure(file, error), Notice::Error);
    return false;
}
