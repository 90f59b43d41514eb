#include "framework/menus/Menu.h"

IMPLEMENT_RUNTIME_CLASS(CMenu, CObject)

namespace {

// A zeroed record whose size matches the headers we build with (48 bytes on 32-bit).
MENUITEMINFOA EmptyItemInfo(UINT mask)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

}  // namespace

CMenu::CMenu() : m_hMenu(::CreateMenu())
{
}

CMenu::~CMenu()
{
}

BOOL CMenu::InsertMenuItem(UINT item, BOOL byPosition, MENUITEMINFOA* info)
{
    return ::InsertMenuItemA(m_hMenu, item, byPosition, info);
}

BOOL CMenu::SetMenuItemInfo(UINT item, BOOL byPosition, MENUITEMINFOA* info)
{
    return ::SetMenuItemInfoA(m_hMenu, item, byPosition, info);
}

BOOL CMenu::GetMenuItemInfo(UINT item, BOOL byPosition, MENUITEMINFOA* info)
{
    return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
}

int CMenu::EnableMenuItem(UINT item, UINT flags)
{
    return ::EnableMenuItem(m_hMenu, item, flags);
}

void CMenu::Attach(HMENU menu)
{
    m_hMenu = menu;
}

BOOL CMenu::InsertPopup(UINT position, const char* text, HMENU subMenu)
{
    MENUITEMINFOA info = EmptyItemInfo(MIIM_TYPE | MIIM_SUBMENU);
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<char*>(text);
    info.cch = ::lstrlenA(text);
    info.hSubMenu = subMenu;
    return InsertMenuItem(position, TRUE, &info);
}

BOOL CMenu::InsertItem(UINT position, const char* text, UINT id)
{
    MENUITEMINFOA info = EmptyItemInfo(MIIM_TYPE);
    if (id == 0) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_ID;
        info.fType = MFT_STRING;
        info.dwTypeData = const_cast<char*>(text);
        info.cch = ::lstrlenA(text);
        info.wID = id;
    }
    return InsertMenuItem(position, TRUE, &info);
}

BOOL CMenu::SetCheck(UINT position, BOOL checked)
{
    MENUITEMINFOA info = EmptyItemInfo(MIIM_STATE);
    info.fState = checked ? MFS_CHECKED : 0;
    return SetMenuItemInfo(position, TRUE, &info);
}

BOOL CMenu::SetItemText(UINT item, BOOL byPosition, const char* text)
{
    MENUITEMINFOA info = EmptyItemInfo(MIIM_STRING);
    info.dwTypeData = const_cast<char*>(text);
    return SetMenuItemInfo(item, byPosition, &info);
}
