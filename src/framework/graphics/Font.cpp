#include "framework/graphics/Font.h"

IMPLEMENT_RUNTIME_CLASS(CFont, CFontBase)

CFont::CFont(int height, const char* face, BOOL autoDelete) : m_autoDelete(autoDelete)
{
    CreateFont(height, face, 0, FALSE, FALSE, FALSE);
}

CFont::~CFont()
{
    if (m_autoDelete)
        DeleteObject();
}

HFONT CFont::CreateFont(int height, const char* face, int weight, BOOL italic, BOOL underline,
                        BOOL strikeOut)
{
    return CreateFont(height, 0, 0, 0, weight, italic, underline, strikeOut, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, face);
}
