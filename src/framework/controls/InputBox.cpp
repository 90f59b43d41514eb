#include "framework/controls/InputBox.h"

IMPLEMENT_RUNTIME_CLASS(CInputBox, CEditBase)

CInputBox::CInputBox() {}

CInputBox::~CInputBox() {}

DWORD CInputBox::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
}
