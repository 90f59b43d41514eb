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

namespace {

bool GetMenuFont(LOGFONTA& font)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return false;
    font = metrics.lfMenuFont;
    return true;
}

// No character is wider than the font is high, so a text of no more bytes than width
// takes heights fits unmeasured: the entries at start-up ("未登録", short names) then
// cost no font and no screen context, which slowed the first paint.
bool FitsUnmeasured(const CString& text, int width)
{
    LOGFONTA font;
    const int height = GetMenuFont(font) ? (font.lfHeight < 0 ? -font.lfHeight : font.lfHeight) : 0;
    return height > 0 && text.GetLength() * height <= width;
}

// A screen context with the menu font selected, for measuring items as they will show.
class CMenuFontDC {
public:
    CMenuFontDC() : m_dc(::GetDC(nullptr))
    {
        LOGFONTA font;
        if (GetMenuFont(font))
            m_font = ::CreateFontIndirectA(&font);
        m_old = ::SelectObject(m_dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~CMenuFontDC()
    {
        ::SelectObject(m_dc, m_old);
        if (m_font)
            ::DeleteObject(m_font);
        ::ReleaseDC(nullptr, m_dc);
    }
    int Width(const char* text, int length) const
    {
        SIZE size{};
        ::GetTextExtentPoint32A(m_dc, text, length, &size);
        return size.cx;
    }

private:
    HDC m_dc;
    HFONT m_font = nullptr;
    HGDIOBJ m_old;
};

// 0x26 is never a trail byte, so every one is an "&" of its own, doubled to show.
CString Doubled(const CString& shown)
{
    CString label;
    for (const char* p = shown.GetString(); *p != '\0'; ++p) {
        if (*p == '&')
            label += '&';
        label += *p;
    }
    return label;
}

}  // namespace

CString MenuItemLabel(const CString& text, int width)
{
    const char* const Ellipsis = "…";
    CString shown(text);
    if (FitsUnmeasured(text, width))
        return Doubled(shown);
    const CMenuFontDC dc;
    if (dc.Width(text.GetString(), text.GetLength()) > width) {
        const int room = width - dc.Width(Ellipsis, lstrlenA(Ellipsis));
        const char* start = text.GetString();
        const char* end = start;
        // Whole characters only: a lead byte without its trail would show as garbage.
        for (const char* next = CharNextA(end); next != end && dc.Width(start, static_cast<int>(next - start)) <= room;
             next = CharNextA(next))
            end = next;
        // A count of 0 would take the whole text: where nothing fits, the ellipsis alone.
        shown = end > start ? CString(start, static_cast<int>(end - start)) + Ellipsis : CString(Ellipsis);
    }
    return Doubled(shown);
}
