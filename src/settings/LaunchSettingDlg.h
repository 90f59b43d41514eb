#pragma once
#include "framework/controls/Button.h"
#include "framework/controls/InputBox.h"
#include "framework/controls/VScrollBar.h"
#include "framework/dialogs/Dialog.h"
#include "settings/SystemData.h"

// "ランチャー設定": the ten launcher entries, four rows at a time under a scroll bar.
// Edits a private copy of the settings; only "登録" stores it and writes the file.
class CLaunchSettingDlg : public CDialog {
public:
    static const int RowCount = 4;
    static const int LastTop = CSystemData::LauncherCount - RowCount;

    CLaunchSettingDlg();
    virtual ~CLaunchSettingDlg();
    DECLARE_RUNTIME_CLASS(CLaunchSettingDlg)

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
    // Lets the user pick a program for row 0 to 3 in the open-file dialog.
    virtual BOOL BrowseEntry(int row);

    // Fills row with a chosen program: its file name as the display name, the full path.
    void SetProgram(int row, const CString& path);

protected:
    // The rows' texts into the entries they show.
    void StoreRows();
    int NewScrollPosition(WPARAM request, const SCROLLINFO& info) const;

    int m_topIndex;
    CSystemData m_opened;  // the settings as the dialog found them
    CSystemData m_workingCopy;
    CVScrollBar m_scrollBar;
    CGroupBox m_groupBoxes[RowCount];
    CInputBox m_nameBoxes[RowCount];
    CInputBox m_pathBoxes[RowCount];
    CButton m_browseButtons[RowCount];
};
