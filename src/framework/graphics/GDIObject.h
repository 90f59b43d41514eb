#pragma once
#include "framework/core/Object.h"

// Abstract base of the graphics-object wrappers. It releases nothing by itself:
// a derived class decides whether its handle is deleted.
class CGDIObject : public CObject {
public:
    CGDIObject() {}
    virtual ~CGDIObject();
    DECLARE_RUNTIME_CLASS(CGDIObject)

    // A copy would delete the same handle twice.
    CGDIObject(const CGDIObject&) = delete;
    CGDIObject& operator=(const CGDIObject&) = delete;

    virtual HGDIOBJ GetHandle() = 0;
    // Deletes the handle but keeps it stored, so call it at most once per handle.
    virtual BOOL DeleteObject();
};
