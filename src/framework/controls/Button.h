#pragma once
#include "framework/controls/ButtonBase.h"

// An owner-drawn push button.
class CButton : public CButtonBase {
public:
    CButton();
    virtual ~CButton();
    DECLARE_RUNTIME_CLASS(CButton)

    DWORD GetStyle() override;
};

class CCheckBox : public CButtonBase {
public:
    CCheckBox();
    virtual ~CCheckBox();
    DECLARE_RUNTIME_CLASS(CCheckBox)

    DWORD GetStyle() override;
    virtual void SetCheck(int state);  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    virtual void SetCheckInverse(BOOL flag);
    virtual BOOL IsChecked();  // an indeterminate box reads FALSE
};

class CGroupBox : public CButtonBase {
public:
    CGroupBox();
    virtual ~CGroupBox();
    DECLARE_RUNTIME_CLASS(CGroupBox)

    DWORD GetStyle() override;
};
