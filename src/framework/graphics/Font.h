#pragma once
#include "framework/graphics/FontBase.h"

// A font made at construction. With autoDelete FALSE the handle outlives the object,
// which is how a font is handed to a control that then owns it.
class CFont : public CFontBase {
public:
    CFont(int height, const char* face, BOOL autoDelete);
    virtual ~CFont();
    DECLARE_RUNTIME_CLASS(CFont)

    using CFontBase::CreateFont;
    // Default character set, precision, quality and pitch; no width or rotation.
    virtual HFONT CreateFont(int height, const char* face, int weight, BOOL italic,
                             BOOL underline, BOOL strikeOut);

private:
    BOOL m_autoDelete;
};
