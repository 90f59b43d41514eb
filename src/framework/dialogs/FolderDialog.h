#pragma once
#include "framework/core/WindowBase.h"

#include <shlobj.h>

// The shell's folder browser. The object binds itself to the browser window when the
// browser reports it is ready, so it can select the initial folder by message.
class CFolderDialog : public CWindowBase {
public:
    CFolderDialog();
    virtual ~CFolderDialog();
    DECLARE_RUNTIME_CLASS(CFolderDialog)
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    virtual LRESULT OnBrowseMessage(HWND window, UINT message, LPARAM lParam, LPARAM data);
    // TRUE when the user chose a folder.
    virtual BOOL Browse(const char* title, HWND owner, CString initialFolder);
    // buffer must hold MAX_PATH characters.
    virtual BOOL GetPath(char* buffer);
    virtual CString GetPath();
    virtual LRESULT OnInitialized(LPARAM lParam, LPARAM data);
    virtual LRESULT OnSelChanged(LPARAM lParam, LPARAM data);
    virtual LRESULT OnValidateFailed(LPARAM lParam, LPARAM data);
    // The lossy name of a folder chosen but refused because no path reaches it; empty
    // when the last Browse was confirmed or cancelled.
    const CString& GetRefusedName() const { return m_refused; }

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

    BROWSEINFOA m_browseInfo;
    LPITEMIDLIST m_chosenItem;  // owned; freed with CoTaskMemFree
    char m_displayName[MAX_PATH];
    CString m_initialFolder;
    CString m_refused;
};
