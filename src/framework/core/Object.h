#pragma once
#include <windows.h>

// One static record per class, linked to its base class's record. The constructor is
// constexpr so that records are built at compile time, before any start-up code runs.
class CRuntimeClass {
public:
    constexpr explicit CRuntimeClass(const CRuntimeClass* baseClass) : m_pBaseClass(baseClass) {}
    virtual ~CRuntimeClass() {}
    virtual BOOL IsDerivedFrom(const CRuntimeClass* wanted) const;

    const CRuntimeClass* m_pBaseClass;
};

// Every class with virtual operations derives from CObject; slots 0-2 are the
// destructor, IsKindOf and GetRuntimeClass.
class CObject {
public:
    static const CRuntimeClass s_runtimeClass;

    virtual ~CObject() {}
    virtual BOOL IsKindOf(const CRuntimeClass* wanted) const;
    virtual const CRuntimeClass* GetRuntimeClass() const;
};

#define RUNTIME_CLASS(cls) (&cls::s_runtimeClass)

// In the class body, right after the destructor's declaration, so the slot order holds.
#define DECLARE_RUNTIME_CLASS(cls)            \
public:                                       \
    static const CRuntimeClass s_runtimeClass; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_RUNTIME_CLASS(cls, base)                      \
    const CRuntimeClass cls::s_runtimeClass(RUNTIME_CLASS(base)); \
    const CRuntimeClass* cls::GetRuntimeClass() const { return &s_runtimeClass; }
