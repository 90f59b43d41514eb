#pragma once
#include "framework/controls/ScrollBar.h"

// The vertical form, as dialogs bind it to their scroll bar.
class CVScrollBar : public CScrollBar {
public:
    explicit CVScrollBar(UINT id);
    virtual ~CVScrollBar();
    DECLARE_RUNTIME_CLASS(CVScrollBar)
};
