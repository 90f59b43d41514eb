#pragma once
#include "framework/controls/ControlWindow.h"

// The "BUTTON" class with colours of its own; an owner-drawn button paints itself
// when its parent reflects WM_DRAWITEM to it.
class CButtonBase : public CControlWindow {
public:
    static const char* const ClassName;

    CButtonBase();
    virtual ~CButtonBase();
    DECLARE_RUNTIME_CLASS(CButtonBase)

    LRESULT OnReflect(WPARAM wParam, LPARAM lParam) override;
    const char* GetClassName() override;

    virtual void SetFaceColor(COLORREF color);
    virtual void SetCaptionColor(COLORREF color);
    virtual void SetFaceColors(COLORREF normal, COLORREF disabled);
    virtual void SetCaptionColors(COLORREF normal, COLORREF disabled);

protected:
    // Paints the owner-drawn face described by item on its device context.
    virtual void DrawFace(DRAWITEMSTRUCT* item);
    void Repaint();

    COLORREF m_textColor;
    COLORREF m_faceColor;
    HBRUSH m_faceBrush;
    COLORREF m_disabledTextColor;
    COLORREF m_disabledFaceColor;
    HBRUSH m_disabledFaceBrush;
};
