#include "framework/graphics/FontBase.h"

IMPLEMENT_RUNTIME_CLASS(CFontBase, CGDIObject)

CFontBase::CFontBase() : m_hFont(nullptr)
{
}

CFontBase::~CFontBase()
{
}

HGDIOBJ CFontBase::GetHandle()
{
    return m_hFont;
}

HFONT CFontBase::GetFontHandle()
{
    return m_hFont;
}

CFontBase::operator HFONT()
{
    return static_cast<HFONT>(GetHandle());
}

HFONT CFontBase::CreateFont(int height, int width, int escapement, int orientation, int weight,
                            DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                            DWORD outputPrecision, DWORD clipPrecision, DWORD quality,
                            DWORD pitchAndFamily, const char* face)
{
    m_hFont = ::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                            strikeOut, charSet, outputPrecision, clipPrecision, quality,
                            pitchAndFamily, face);
    return m_hFont;
}
