#pragma once
#include "framework/controls/CommCtrl.h"

// A report-view list. Each operation sends one LVM_ message and returns the control's
// answer unchanged; the control copies every text it is given. The per-row messages
// (insert, set and get a text) go straight to the control's own procedure.
class CListView : public CCommCtrl {
public:
    CListView();
    virtual ~CListView();
    DECLARE_RUNTIME_CLASS(CListView)

    BOOL InitCommonControls() override;
    DWORD GetStyle() override;
    DWORD GetExStyle() override;
    const char* GetClassName() override;

    virtual int InsertColumn(int index, LVCOLUMNA* column);
    virtual int InsertItem(LVITEMA* item);
    virtual BOOL SetItem(LVITEMA* item);
    virtual BOOL GetItem(LVITEMA* item);
    virtual BOOL DeleteItem(int index);
    virtual BOOL DeleteAllItems();
    virtual int GetItemCount();
    virtual BOOL SetItemState(int index, UINT state, UINT mask);
    virtual BOOL SetItemText(int index, int subItem, const char* text);
    virtual int GetItemText(int index, int subItem, char* buffer, int size);
    virtual BOOL SetCheckState(int index, BOOL checked);
    virtual int GetCheckState(int index);  // 1 checked, 0 unchecked, -1 no check image
    virtual int GetNextItem(int start, UINT flags);
    virtual DWORD SetExtendedStyle(DWORD styles);  // replaces every extended style bit
    virtual DWORD GetExtendedStyle();
    virtual int InsertColumn(int index, int subItem, int width, const char* text);
    virtual int InsertColumn(int index, int width, const char* text);
    virtual int InsertItem(int index, const char* text);
    virtual BOOL SetItemText(int index, int subItem, CString text);
    virtual CString GetItemText(int index, int subItem);  // at most 259 characters
    virtual int GetSelectedIndex();  // first selected item, -1 if none

    int FindItem(int after, const char* text);  // whole text, any case, wrapping; -1 if none
    BOOL EnsureVisible(int index);
    int GetTopIndex();

private:
    LRESULT SendRowMessage(UINT message, WPARAM wParam, LPARAM lParam);
};
