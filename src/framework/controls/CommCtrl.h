#pragma once
#include "framework/controls/ControlWindow.h"

#include <commctrl.h>

// Base of the common-controls wrappers: each concrete constructor registers its
// control class with the library before any window of it can be created.
class CCommCtrl : public CControlWindow {
public:
    CCommCtrl();
    virtual ~CCommCtrl();
    DECLARE_RUNTIME_CLASS(CCommCtrl)

    virtual BOOL InitCommonControls() = 0;
};
