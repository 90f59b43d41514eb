#pragma once
#include "framework/controls/ControlWindow.h"

// A scroll-bar control that keeps the last SCROLLINFO it set. GetScrollInfo asks
// for what that record asked for, whatever the caller's own record says.
class CScrollBar : public CControlWindow {
public:
    CScrollBar(UINT id, DWORD barStyle);
    virtual ~CScrollBar();
    DECLARE_RUNTIME_CLASS(CScrollBar)

    DWORD GetStyle() override;
    DWORD GetExStyle() override;
    const char* GetClassName() override;

    virtual int SetScrollInfo(const SCROLLINFO* info, BOOL redraw);
    virtual BOOL GetScrollInfo(SCROLLINFO* info);

protected:
    DWORD m_barStyle;  // SBS_HORZ or SBS_VERT
    SCROLLINFO m_info;
};
