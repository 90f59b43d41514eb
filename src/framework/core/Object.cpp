#include "framework/core/Object.h"

const CRuntimeClass CObject::s_runtimeClass(nullptr);

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* wanted) const
{
    // The whole chain is walked even after a match; it is a handful of links.
    BOOL found = FALSE;
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass)
        if (wanted != nullptr && c == wanted)
            found = TRUE;
    return found;
}

BOOL CObject::IsKindOf(const CRuntimeClass* wanted) const
{
    return GetRuntimeClass()->IsDerivedFrom(wanted);
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &s_runtimeClass;
}
