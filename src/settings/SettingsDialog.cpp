#include "settings/SettingsDialog.h"

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

bool StoreSettings(HWND owner, const CSystemData& workingCopy)
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return true;
    CSystemData previous;
    previous.CopyFrom(settings);
    settings->CopyFrom(&workingCopy);
    if (settings->Save())
        return true;
    // The explorer must not go on with settings the file does not hold.
    settings->CopyFrom(&previous);
    char caption[MAX_PATH] = "";
    ::GetWindowTextA(owner, caption, MAX_PATH);
    ::MessageBoxA(owner, "設定を保存できませんでした。", caption, MB_OK | MB_ICONERROR);
    return false;
}
