#include "explorer/MainWnd.h"

#include "framework/core/PathLookup.h"
#include "framework/core/WinApp.h"
#include "framework/graphics/Font.h"
#include "resource.h"
#include "settings/SystemData.h"

#include <cstddef>

IMPLEMENT_RUNTIME_CLASS(CMainWnd, CWindow)

namespace {

// The menu bar and its four drop-downs; their handles exist from start-up on. A window
// destroys its bar and the bar its drop-downs, so the start-up handles serve the first
// window only and every later window builds on fresh ones.
enum { MenuBar, FileMenu, EditMenu, SettingsMenu, HelpMenu, MenuCount };
CMenu g_menus[MenuCount];
bool g_menusTaken = false;

struct MenuItemRow {
    int menu;
    UINT position;
    const char* text;
    UINT id;  // 0: separator
};

const MenuItemRow MenuItems[] = {
    {FileMenu, 0, "開く (&O)", IDM_FILE_OPEN},
    {FileMenu, 1, "編集 (&E)", IDM_FILE_EDIT},
    {FileMenu, 2, nullptr, 0},
    {FileMenu, 3, "終了 (&X)", IDM_FILE_EXIT},
    {SettingsMenu, 0, "共通設定 (&C)", IDM_SETTING_COMMON},
    {SettingsMenu, 1, "ランチャ設定 (&L)", IDM_SETTING_LAUNCHER},
    {HelpMenu, 0, "使い方 (&H)", IDM_HELP_USAGE},
    {HelpMenu, 1, "バージョン情報 (&V)", IDM_HELP_VERSION},
};

const char* const FontFace = "ＭＳ ゴシック";

}  // namespace

CMainWnd::CMainWnd(const char* title) : CWindow(title, nullptr), m_hContextMenuSource(nullptr)
{
}

CMainWnd::~CMainWnd()
{
    DestroyContextMenu();
}

int CMainWnd::GetIconId()
{
    return IDI_APP;
}

LRESULT CMainWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        m_toolBar.SendMessage(WM_SIZE, wParam, lParam);  // the toolbar refits to the width
        return 0;
    case WM_INPUTBOX_ENTER:
        // A refused path is explained; the keyboard stays in the box for the next try.
        if (wParam == reinterpret_cast<WPARAM>(&m_pathBox))
            OnReload();
        return 0;
    case WM_MOVE_KEYBOARD:
        MoveKeyboard(static_cast<KeyboardStop>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_MENUCHAR:
        // Alt+D, from any child: no menu of the bar has D for its letter, so the bar asks
        // here. The bar's menu mode ends first; the path box takes the keyboard after.
        if (reinterpret_cast<HMENU>(lParam) == ::GetMenu(m_hWnd) &&
            (LOWORD(wParam) == 'd' || LOWORD(wParam) == 'D')) {
            PostMessage(WM_MOVE_KEYBOARD, static_cast<WPARAM>(KeyboardStop::PathBox), 0);
            return MAKELRESULT(0, MNC_CLOSE);
        }
        break;
    case WM_CONTEXTMENU:
        // Shift+F10 in the list. The Apps key is answered on its key press (LVN_KEYDOWN)
        // and a right-click as NM_RCLICK, so only F10 held down counts here.
        if (reinterpret_cast<HWND>(wParam) == m_fileList.GetHwnd() && lParam == -1 &&
            (::GetKeyState(VK_F10) & 0x8000)) {
            ShowContextMenu(MenuAt::FocusedRow);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && ::IsChild(m_hWnd, ::GetFocus()))
            m_focusChild = ::GetFocus();
        break;
    case WM_SETFOCUS:
        // The window itself takes no keys: they go on to the child that last had them.
        if (::IsWindow(m_focusChild))
            ::SetFocus(m_focusChild);
        return 0;
    }
    return CWindow::WindowProc(window, message, wParam, lParam);
}

LRESULT CMainWnd::OnCreate(WPARAM, LPARAM)
{
    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(m_hWnd, GWLP_HINSTANCE));
    SetClassBrush(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    CreateMenuBar();
    DestroyContextMenu();
    m_hContextMenuSource = ::LoadMenuA(instance, TE_MENU_NAME);
    m_contextMenu.Attach(::GetSubMenu(m_hContextMenuSource, 0));
    UpdateLauncherMenu();
    CreateChildren(instance);

    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    // The command line speaks of the folder the program was started in.
    const CString start = FullPath(CString(""), settings->GetStartFolder());
    if (!IsFolder(start) || !Navigate(start))
        GoHome(Refusal::Silent);  // quietly: the user asked for neither folder
    return 0;
}

void CMainWnd::CreateMenuBar()
{
    if (g_menusTaken) {
        for (CMenu& menu : g_menus)
            menu.Attach(::CreateMenu());
    }
    g_menusTaken = true;
    CMenu& bar = g_menus[MenuBar];
    bar.InsertPopup(0, "ファイル (&F)", g_menus[FileMenu].GetHandle());
    bar.InsertPopup(1, "編集 (&E)", g_menus[EditMenu].GetHandle());
    bar.InsertPopup(2, "設定 (&S)", g_menus[SettingsMenu].GetHandle());
    bar.InsertPopup(3, "ヘルプ (&H)", g_menus[HelpMenu].GetHandle());
    for (const MenuItemRow& row : MenuItems)
        g_menus[row.menu].InsertItem(row.position, row.text, row.id);
    SetMenu(bar.GetHandle());
}

void CMainWnd::CreateChildren(HINSTANCE instance)
{
    TBBUTTON buttons[3] = {};
    const int commands[3] = {IDM_GO_HOME, IDM_GO_UP, IDM_RELOAD};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = commands[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
    }
    m_toolBar.CreateToolbar(m_hWnd, WS_CHILD | WS_VISIBLE, IDC_TOOLBAR, 3, instance,
                            IDB_TOOLBAR, buttons, 3, 0, 0, 20, 20, sizeof(TBBUTTON));

    // The controls own the fonts: the CFont temporaries do not delete their handles.
    m_pathBox.CreateControl("", 8, 40, 552, 24, m_hWnd, IDC_PATH);
    m_pathBox.SetFont(CFont(16, FontFace, FALSE).GetFontHandle());
    m_browseButton.CreateControl(TE_TEXT_BROWSE, 568, 40, 48, 24, m_hWnd, IDC_BROWSE);
    m_browseButton.SetFont(CFont(12, FontFace, FALSE).GetFontHandle());

    m_fileList.CreateControl("", 8, 72, 608, 300, m_hWnd, IDC_FILE_LIST);
    m_fileList.InsertColumn(0, 512, "名前");
    m_fileList.InsertColumn(1, 80, "種類");
    m_fileList.SetExtendedStyle(m_fileList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_fileList.SetClassBrush(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    m_fileList.SendMessage(LVM_SETBKCOLOR, 0, RGB(0, 0, 0));
}

// The context menu is this window's: before creation the member's own empty menu,
// afterwards the loaded menu, whose drop-downs go with it.
void CMainWnd::DestroyContextMenu()
{
    ::DestroyMenu(m_hContextMenuSource ? m_hContextMenuSource : m_contextMenu.GetHandle());
    m_hContextMenuSource = nullptr;
    m_contextMenu.Attach(nullptr);
}

LRESULT CMainWnd::OnDestroy(WPARAM, LPARAM)
{
    DestroyContextMenu();
    PostQuitMessage(0);
    return 0;
}

LRESULT CMainWnd::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    TraceLine("CMainWnd::OnKeyDown");
    return CWindow::OnKeyDown(wParam, lParam);
}

LRESULT CMainWnd::OnNotify(WPARAM wParam, LPARAM lParam)
{
    // The list notifies several times per row it is given; looking it up by id
    // (GetDlgItem) would ask the window server each time.
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom != nullptr &&
        header->hwndFrom == m_fileList.GetHwnd())
        return OnListNotify(wParam, header);
    return CWindow::OnNotify(wParam, lParam);
}
