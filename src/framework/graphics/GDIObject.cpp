#include "framework/graphics/GDIObject.h"

IMPLEMENT_RUNTIME_CLASS(CGDIObject, CObject)

CGDIObject::~CGDIObject()
{
}

BOOL CGDIObject::DeleteObject()
{
    HGDIOBJ handle = GetHandle();
    if (handle == nullptr)
        return FALSE;
    return ::DeleteObject(handle);
}
