#pragma once
#include "common/PathPaste.h"
#include "framework/controls/Button.h"
#include "framework/controls/VScrollBar.h"
#include "framework/dialogs/Dialog.h"
#include "settings/SystemData.h"

// A name box of "ランチャー設定": PageUp and PageDown turn the dialog's page.
class CLaunchEntryBox : public CInputBox {
public:
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam) override;
};

// A program's path box of "ランチャー設定": turns pages, and pastes as a path.
class CLaunchPathBox : public CLaunchEntryBox {
protected:
    bool OnPaste() override { return PastePath(*this); }
};

// "ランチャー設定": the ten launcher entries, four rows at a time under a scroll bar.
// Edits a private copy of the settings; only "登録" stores it and writes the file.
class CLaunchSettingDlg : public CDialog {
public:
    static const int RowCount = 4;
    static const int LastTop = CSystemData::LauncherCount - RowCount;
    // The controls of a row, in the order Tab visits them.
    enum Column { NameColumn, PathColumn, BrowseColumn, ColumnCount };

    CLaunchSettingDlg();
    virtual ~CLaunchSettingDlg();
    DECLARE_RUNTIME_CLASS(CLaunchSettingDlg)

    // Sent to the dialog by a box on PageUp (wParam -1) and PageDown (1).
    static const UINT WM_LAUNCH_PAGE = WM_APP + 20;

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

    // Stores the rows into the working copy, then shows entries top to top + 3.
    // 0 for a top outside 0 to LastTop, and nothing changes.
    virtual BOOL ShowEntries(int top);
    // The top nearest to top that shows a full page: 0 to LastTop.
    static int PageTop(int top);
    // Lets the user pick a program for row 0 to 3 in the open-file dialog.
    virtual BOOL BrowseEntry(int row);

    // Fills row with a chosen program: its file name as the display name, the full path.
    void SetProgram(int row, const CString& path);

protected:
    // The rows' texts into the entries they show.
    void StoreRows();
    int NewScrollPosition(WPARAM request, const SCROLLINFO& info) const;
    // Shows the full page nearest to top and moves the scroll bar's thumb there.
    void ScrollTo(int top);
    // The row (0 to 3) and column of a row's control; false for any other window.
    bool FindRowControl(HWND window, int& row, Column& column);
    HWND RowControl(int row, Column column);
    // Gives the keyboard to column of entry, scrolling it into view, as Tab would.
    void FocusEntry(int entry, Column column);
    // Tab and Shift+Tab run over all ten entries, not only the four rows shown.
    void NextTabStop(bool backward);
    void TurnPage(int direction);

    int m_topIndex;
    CSystemData m_opened;  // the settings as the dialog found them
    CSystemData m_workingCopy;
    CVScrollBar m_scrollBar;
    CGroupBox m_groupBoxes[RowCount];
    CLaunchEntryBox m_nameBoxes[RowCount];
    CLaunchPathBox m_pathBoxes[RowCount];
    CButton m_browseButtons[RowCount];
};
