#pragma once
#include "framework/core/Window.h"

// Base of the wrappers for predefined system controls. The system class's own
// procedure handles the creation messages, so the object is bound by subclassing
// right after CreateWindowExA returns; OnCreate therefore never runs for a control.
// The object owns the font handed to SetFont.
class CControlWindow : public CWindow {
public:
    CControlWindow();
    CControlWindow(const char* windowText, UINT id);
    virtual ~CControlWindow();
    DECLARE_RUNTIME_CLASS(CControlWindow)

    HWND Create(const char* windowName, int x, int y, int width, int height, HWND parent,
                HMENU menuOrId) override;
    HWND Create(int x, int y, int width, int height, HWND parent) override;
    BOOL RegisterClass() override;

    // Takes ownership of font; the font held before is deleted.
    virtual LRESULT SetFont(HFONT font);
    virtual HWND CreateControl(const char* text, int x, int y, int width, int height,
                               HWND parent, UINT id);

protected:
    HFONT m_hFont;
};
