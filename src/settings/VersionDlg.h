#pragma once
#include "framework/dialogs/Dialog.h"

// "バージョン情報": the icon, the product name with its version, and the author.
class CVersionDlg : public CDialog {
public:
    CVersionDlg();
    virtual ~CVersionDlg();
    DECLARE_RUNTIME_CLASS(CVersionDlg)

    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam) override;
};
