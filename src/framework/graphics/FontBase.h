#pragma once
#include "framework/graphics/GDIObject.h"

// Holds one font handle and never deletes it; whoever uses the class owns the font.
class CFontBase : public CGDIObject {
public:
    CFontBase();
    virtual ~CFontBase();
    DECLARE_RUNTIME_CLASS(CFontBase)

    HGDIOBJ GetHandle() override;
    virtual HFONT GetFontHandle();
    virtual operator HFONT();
    // The CreateFontA parameters in the platform's order. A font already held is
    // replaced without being deleted.
    virtual HFONT CreateFont(int height, int width, int escapement, int orientation, int weight,
                             DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                             DWORD outputPrecision, DWORD clipPrecision, DWORD quality,
                             DWORD pitchAndFamily, const char* face);

protected:
    HFONT m_hFont;
};
