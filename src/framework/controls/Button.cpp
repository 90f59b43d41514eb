#include "framework/controls/Button.h"

IMPLEMENT_RUNTIME_CLASS(CButton, CButtonBase)
IMPLEMENT_RUNTIME_CLASS(CCheckBox, CButtonBase)
IMPLEMENT_RUNTIME_CLASS(CGroupBox, CButtonBase)

CButton::CButton() {}

CButton::~CButton() {}

DWORD CButton::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
}

CCheckBox::CCheckBox() {}

CCheckBox::~CCheckBox() {}

DWORD CCheckBox::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | BS_CHECKBOX;
}

void CCheckBox::SetCheck(int state)
{
    SendMessage(BM_SETCHECK, state, 0);
}

void CCheckBox::SetCheckInverse(BOOL flag)
{
    SetCheck(flag ? BST_UNCHECKED : BST_CHECKED);
}

BOOL CCheckBox::IsChecked()
{
    return SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
}

CGroupBox::CGroupBox() {}

CGroupBox::~CGroupBox() {}

DWORD CGroupBox::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;
}
