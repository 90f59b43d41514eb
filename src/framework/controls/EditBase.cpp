#include "framework/controls/EditBase.h"

IMPLEMENT_RUNTIME_CLASS(CEditBase, CControlWindow)

const char* const CEditBase::ClassName = "EDIT";

CEditBase::CEditBase() {}

CEditBase::~CEditBase() {}

DWORD CEditBase::GetExStyle()
{
    return WS_EX_CLIENTEDGE;
}

const char* CEditBase::GetClassName()
{
    return ClassName;
}

void CEditBase::SetLimitText(int max)
{
    SendMessage(EM_LIMITTEXT, max, 0);
}

DWORD CEditBase::GetSel()
{
    return static_cast<DWORD>(SendMessage(EM_GETSEL, 0, 0));
}

// Posted, so the caret moves once the control processes the queue.
BOOL CEditBase::SetSel()
{
    return PostMessage(EM_SETSEL, 2, 2);
}

void CEditBase::ReplaceSel(const char* text)
{
    SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

BOOL CEditBase::GetModify()
{
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY, 0, 0));
}

void CEditBase::SetModify(BOOL modified)
{
    SendMessage(EM_SETMODIFY, modified, 0);
}

BOOL CEditBase::ScrollCaret()
{
    return static_cast<BOOL>(SendMessage(EM_SCROLLCARET, 0, 0));
}

BOOL CEditBase::CanUndo()
{
    return static_cast<BOOL>(SendMessage(EM_CANUNDO, 0, 0));
}

BOOL CEditBase::Undo()
{
    return static_cast<BOOL>(SendMessage(EM_UNDO, 0, 0));
}

void CEditBase::EmptyUndoBuffer()
{
    SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
}
