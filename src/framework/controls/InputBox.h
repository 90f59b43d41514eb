#pragma once
#include "framework/controls/EditBase.h"

// A single-line box that scrolls horizontally.
class CInputBox : public CEditBase {
public:
    CInputBox();
    virtual ~CInputBox();
    DECLARE_RUNTIME_CLASS(CInputBox)

    DWORD GetStyle() override;
};
