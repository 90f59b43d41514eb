#pragma once
#include "common/PathPaste.h"
#include "framework/controls/Button.h"
#include "framework/dialogs/Dialog.h"
#include "settings/SystemData.h"

// "共通設定": the home folder and the two display flags. Edits a private copy of the
// settings; only "登録" stores it and writes the settings file.
class CCommonSettingDlg : public CDialog {
public:
    CCommonSettingDlg();
    virtual ~CCommonSettingDlg();
    DECLARE_RUNTIME_CLASS(CCommonSettingDlg)

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

protected:
    // The "参照" button: picks the home folder in the folder browser.
    void OnBrowseHome();

    CSystemData m_opened;  // the settings as the dialog found them
    CSystemData m_workingCopy;
    CPathBox m_homeBox;
    CButton m_browseButton;
    CCheckBox m_systemFilesBox;
    CCheckBox m_hiddenFilesBox;
};
