#pragma once
#include "framework/core/String.h"

#include <commdlg.h>

// The open- or save-file dialog with one filter for all files. The record points at
// the object's own buffers and at the caller's title, which must outlive the object.
class CFileDialog : public CObject {
public:
    CFileDialog(HWND owner, const char* title);
    virtual ~CFileDialog();
    DECLARE_RUNTIME_CLASS(CFileDialog)
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // The chosen path is read from lpstrFile after a confirmed dialog.
    virtual OPENFILENAMEA* GetRecord();
    // The record forms run the dialog on the caller's record, then keep a copy of it.
    virtual BOOL GetOpenFileName(OPENFILENAMEA* record);
    virtual BOOL GetOpenFileName();
    virtual BOOL GetSaveFileName(OPENFILENAMEA* record);
    virtual BOOL GetSaveFileName();
    // The lossy name of the last choice refused because no path reaches it; empty when
    // the last dialog was confirmed or cancelled.
    const CString& GetRefusedName() const { return m_refused; }

private:
    enum class Kind { Open, Save };
    // Runs the wide open- or save-file dialog on the member record.
    BOOL Run(Kind kind);
    BOOL RunOn(OPENFILENAMEA* record, Kind kind);

    OPENFILENAMEA m_record;
    char m_fileName[MAX_PATH];
    CString m_refused;
};
