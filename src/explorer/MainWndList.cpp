#include "explorer/MainWnd.h"

#include "resource.h"

namespace {

const COLORREF FolderColour = RGB(0, 120, 255);
const COLORREF FileColour = RGB(196, 196, 196);

}  // namespace

LRESULT CMainWnd::OnListNotify(WPARAM wParam, NMHDR* header)
{
    switch (header->code) {
    case LVN_KEYDOWN:
        switch (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey) {
        case VK_BACK:   OnUp(); break;
        case VK_RETURN: OnOpen(); break;
        case VK_HOME:
            if (GetAsyncKeyState(VK_CONTROL) & 0x8000)
                OnHome();
            break;
        case VK_APPS:   ShowContextMenu(MenuAt::FocusedRow); break;
        case VK_F5:     OnReload(); break;
        default:
            MoveKeyboard(StopOfKeyHeld(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey),
                         header->hwndFrom);
        }
        return 0;
    case LVN_DELETEALLITEMS:
        return TRUE;  // rows hold no data: no notice per deleted row
    case NM_CUSTOMDRAW:
        return PaintRow(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    case NM_RCLICK:
        ShowContextMenu(MenuAt::Pointer);
        return 0;
    case NM_DBLCLK:
        OnOpen();
        return 0;
    }
    return CWindow::OnNotify(wParam, reinterpret_cast<LPARAM>(header));
}

// Rows take their colour from the kind column, so ".." is drawn as a folder.
LRESULT CMainWnd::PaintRow(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        // A stack buffer: this runs for every painted row.
        char kind[16] = "";
        m_fileList.GetItemText(static_cast<int>(draw->nmcd.dwItemSpec), 1, kind, sizeof kind - 1);
        const bool folder = lstrcmpA(kind, TE_TEXT_FOLDER) == 0;
        draw->clrText = folder ? FolderColour : FileColour;
        draw->clrTextBk = RGB(0, 0, 0);
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}
