#include "Floor.h"

#include <commctrl.h>

namespace {

const char* const FrameClass = "TavlornBenchFloor";
const char* const FolderKind = "フォルダ";
const char* const FileKind = "ファイル";

LRESULT PaintRow(HWND list, NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        char kind[16] = "";
        LVITEMA item = {};
        item.iSubItem = 1;
        item.pszText = kind;
        item.cchTextMax = sizeof kind - 1;
        SendMessageA(list, LVM_GETITEMTEXTA, draw->nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&item));
        const bool folder = lstrcmpA(kind, FolderKind) == 0;
        draw->clrText = folder ? RGB(0, 120, 255) : RGB(196, 196, 196);
        draw->clrTextBk = RGB(0, 0, 0);
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == FloorListId && header->code == NM_CUSTOMDRAW)
            return PaintRow(header->hwndFrom, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void AddColumn(HWND list, int index, int width, const char* text)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(text);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

HWND CreateFloorFrame(const char* title, int x, int y)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = FrameClass;
    RegisterClassExA(&wc);  // fails harmlessly for a second frame
    HWND frame = CreateWindowExA(0, FrameClass, title, WS_OVERLAPPEDWINDOW, x, y, 640, 480,
                                 nullptr, nullptr, instance, nullptr);
    if (frame == nullptr)
        return nullptr;
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                8, 72, 608, 300, frame,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(FloorListId)),
                                instance, nullptr);
    AddColumn(list, 0, 512, "名前");
    AddColumn(list, 1, 80, "種類");
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(0, 0, 0));
    return frame;
}

HWND FloorListOf(HWND frame)
{
    return GetDlgItem(frame, FloorListId);
}

int FloorFill(HWND list, const char* folder)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    // The wide functions with the names converted on the stack, as the explorer lists: the
    // ANSI ones convert every entry through the process heap, between the list's own
    // allocations.
    wchar_t pattern[MAX_PATH + 8];
    const bool named = MultiByteToWideChar(CP_ACP, 0, folder, -1, pattern, MAX_PATH) != 0;
    lstrcatW(pattern, L"\\*.*");
    int row = 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = named ? FindFirstFileW(pattern, &entry) : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (entry.cFileName[0] == L'.' && entry.cFileName[1] == L'\0')
                continue;
            if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
                continue;
            // Without best fit, as a correct listing must: a look-alike (cafe for café)
            // would open another file.
            char name[MAX_PATH];
            BOOL usedDefault = FALSE;
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, entry.cFileName, -1, name, MAX_PATH,
                                nullptr, &usedDefault);
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = name;
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            SetCell(list, row, 1, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FolderKind : FileKind);
            ++row;
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return row;
}

void FloorClear(HWND list)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}
