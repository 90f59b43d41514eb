#include "framework/dialogs/FolderDialog.h"

#include "framework/core/PathLookup.h"

IMPLEMENT_RUNTIME_CLASS(CFolderDialog, CWindowBase)

CFolderDialog::CFolderDialog()
    : CWindowBase(nullptr, nullptr), m_browseInfo(), m_chosenItem(nullptr), m_displayName()
{
    m_browseInfo.pidlRoot = nullptr;  // the desktop
    m_browseInfo.pszDisplayName = m_displayName;
    m_browseInfo.ulFlags = BIF_RETURNONLYFSDIRS;
    m_browseInfo.lpfn = &CFolderDialog::BrowseCallback;
    m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);
}

CFolderDialog::~CFolderDialog()
{
    ::CoTaskMemFree(m_chosenItem);
}

// Called by the browser; the object is found through the window once bound.
int CALLBACK CFolderDialog::BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    CFolderDialog* object = static_cast<CFolderDialog*>(CWindowBase::FromHandle(window));
    if (object == nullptr && message == BFFM_INITIALIZED) {
        object = reinterpret_cast<CFolderDialog*>(data);
        object->Attach(window);
    }
    if (object != nullptr)
        object->OnBrowseMessage(window, message, lParam, data);
    return 0;
}

LRESULT CFolderDialog::OnBrowseMessage(HWND, UINT message, LPARAM lParam, LPARAM data)
{
    switch (message) {
    case BFFM_INITIALIZED:      return OnInitialized(lParam, data);
    case BFFM_SELCHANGED:       return OnSelChanged(lParam, data);
    case BFFM_VALIDATEFAILEDA:  return OnValidateFailed(lParam, data);
    }
    return 0;
}

BOOL CFolderDialog::Browse(const char* title, HWND owner, CString initialFolder)
{
    m_browseInfo.hwndOwner = owner;
    m_browseInfo.lpszTitle = title;
    m_initialFolder = initialFolder;
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&m_browseInfo);
    // A second Browse on the same object must not leak the first answer.
    ::CoTaskMemFree(m_chosenItem);
    m_chosenItem = chosen;
    // Refused here, so that no caller fills in a look-alike of the folder chosen.
    wchar_t wide[MAX_PATH] = L"";
    CString path;
    m_refused = CString("");
    if (m_chosenItem != nullptr && ::SHGetPathFromIDListW(m_chosenItem, wide) &&
        !ReachingPath(wide, path)) {
        m_refused = path;
        ::CoTaskMemFree(m_chosenItem);
        m_chosenItem = nullptr;
    }
    return m_chosenItem != nullptr;
}

// The A form of the path hands out best-fit look-alikes for names the code page cannot
// hold (café as cafe, another folder), and "dir." names dir: the wide path is taken
// instead, in its short form where the long one would not reach the folder.
BOOL CFolderDialog::GetPath(char* buffer)
{
    wchar_t wide[MAX_PATH] = L"";
    CString path;
    if (m_chosenItem == nullptr || !::SHGetPathFromIDListW(m_chosenItem, wide) ||
        !ReachingPath(wide, path))
        return FALSE;
    ::lstrcpynA(buffer, path.GetString(), MAX_PATH);
    return TRUE;
}

CString CFolderDialog::GetPath()
{
    char buffer[MAX_PATH] = {};
    if (!GetPath(buffer))
        return CString();
    return CString(buffer);
}

LRESULT CFolderDialog::OnInitialized(LPARAM, LPARAM)
{
    if (!m_initialFolder.IsEmpty())
        SendMessage(BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_initialFolder.GetString()));
    return 0;
}

LRESULT CFolderDialog::OnSelChanged(LPARAM, LPARAM)
{
    return 0;
}

LRESULT CFolderDialog::OnValidateFailed(LPARAM, LPARAM)
{
    return 0;
}
