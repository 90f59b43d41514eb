#pragma once
#include "framework/core/Object.h"
#include "framework/core/String.h"

// Wraps one menu handle and builds it item by item. The object never destroys its
// menu: a menu bar dies with its window, a drop-down with the menu that holds it.
class CMenu : public CObject {
public:
    CMenu();
    virtual ~CMenu();
    DECLARE_RUNTIME_CLASS(CMenu)

    // Two objects would name one handle, and whoever destroys it would leave the other
    // holding a dead one.
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    virtual BOOL InsertMenuItem(UINT item, BOOL byPosition, MENUITEMINFOA* info);
    virtual BOOL SetMenuItemInfo(UINT item, BOOL byPosition, MENUITEMINFOA* info);
    virtual BOOL GetMenuItemInfo(UINT item, BOOL byPosition, MENUITEMINFOA* info);
    // Previous state of the item, -1 if there is no such item.
    virtual int EnableMenuItem(UINT item, UINT flags);
    // The handle held before is neither destroyed nor returned.
    virtual void Attach(HMENU menu);
    virtual BOOL InsertPopup(UINT position, const char* text, HMENU subMenu);
    // id 0 inserts a separator; the text is then not read and may be null.
    virtual BOOL InsertItem(UINT position, const char* text, UINT id);
    // Replaces the whole state: the item also ends up enabled and not default.
    virtual BOOL SetCheck(UINT position, BOOL checked);
    virtual BOOL SetItemText(UINT item, BOOL byPosition, const char* text);

    HMENU GetHandle() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

// text as a menu item shows it, "&" as itself (not an access key): cut at a character
// with "…" behind when it is wider than width pixels in the system's menu font.
CString MenuItemLabel(const CString& text, int width);
