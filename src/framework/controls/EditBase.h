#pragma once
#include "framework/controls/ControlWindow.h"

// The "EDIT" class and its EM_ messages.
class CEditBase : public CControlWindow {
public:
    static const char* const ClassName;

    CEditBase();
    virtual ~CEditBase();
    DECLARE_RUNTIME_CLASS(CEditBase)

    DWORD GetExStyle() override;
    const char* GetClassName() override;

    virtual void SetLimitText(int max);
    virtual DWORD GetSel();  // start in the low word, end in the high word
    virtual BOOL SetSel();   // posts a caret after the second character
    virtual void ReplaceSel(const char* text);
    virtual BOOL GetModify();
    virtual void SetModify(BOOL modified);
    virtual BOOL ScrollCaret();
    virtual BOOL CanUndo();
    virtual BOOL Undo();
    virtual void EmptyUndoBuffer();
};
