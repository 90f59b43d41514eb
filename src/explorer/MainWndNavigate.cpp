#include "explorer/MainWnd.h"

#include "framework/core/PathText.h"
#include "framework/dialogs/FolderDialog.h"
#include "resource.h"
#include "settings/SystemData.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

// Holds the list's redraw off for a scope: with it on, every insertion repaints the
// scroll bar and a folder of a thousand entries takes seconds.
class CRedrawSuspended {
public:
    explicit CRedrawSuspended(CListView& list) : m_list(list)
    {
        m_list.SendMessage(WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawSuspended()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE, 0);
        m_list.InvalidateRect(nullptr, TRUE);
    }

private:
    CListView& m_list;
};

// The hourglass while a folder is read: a large one keeps the window busy for seconds.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }

private:
    HCURSOR m_previous;
};

bool IsDotEntry(const WIN32_FIND_DATAW& entry)
{
    return lstrcmpW(entry.cFileName, L".") == 0;
}

}  // namespace

// Rows are read before any is shown, so a folder that cannot be read leaves the list
// alone. The wide functions give the true names: the ANSI ones hand out best-fit
// look-alikes (café.txt as cafe.txt) that open whatever else carries that name.
bool CMainWnd::ReadFolder(const CString& folder)
{
    m_readRows.Clear();
    CSystemData* settings = GetSystemData();
    const BOOL showSystem = settings ? settings->GetDispSystemFile() : FALSE;
    const BOOL showHidden = settings ? settings->GetDispHiddenFile() : FALSE;

    const CString ansiPattern = folder + (EndsWithSeparator(folder) ? "*.*" : "\\*.*");
    wchar_t pattern[MAX_PATH];
    // Past the ANSI limit no row could be opened by its path: the folder is not listed
    // rather than listed empty.
    if (ansiPattern.GetLength() >= MAX_PATH || !WidePath(ansiPattern, pattern, MAX_PATH))
        return false;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // no entry at all: an empty root
    // A drive root has no "." entry: only "." is dropped, never a root's first real entry.
    bool more = !IsDotEntry(entry) || FindNextFileW(search, &entry);
    for (; more; more = FindNextFileW(search, &entry) != FALSE) {
        if (IsDotEntry(entry))
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) && !showSystem)
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !showHidden)
            continue;
        AddRow(entry);
    }
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;  // not a share gone mid-way
    FindClose(search);
    return complete && m_readRows.IsComplete();
}

// A name the code page cannot hold is listed by its short name; without one it keeps
// the "?" of the conversion, which no real name contains, and commands refuse it.
void CMainWnd::AddRow(const WIN32_FIND_DATAW& entry)
{
    char row[MAX_PATH + 1];  // on the stack: a heap string per row costs a large folder dearly
    row[0] = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 'D' : 'F';
    ListedName(entry, row + 1);
    m_readRows.Add(row, lstrlenA(row));
}

// Refills the list from the path box's folder; one that cannot be read leaves it as it was.
int CMainWnd::ListFolder()
{
    CWaitCursor busy;
    const CString folder = m_pathBox.GetWindowText();
    if (!ReadFolder(folder))
        return 0;
    FillList(folder);
    return 1;
}

void CMainWnd::FillList(const CString& folder)
{
    CRedrawSuspended quiet(m_fileList);
    m_fileList.DeleteAllItems();
    m_listedFolder = folder;
    int row = 0;
    for (const char* read = m_readRows.First(); read != nullptr; read = m_readRows.Next(read)) {
        m_fileList.InsertItem(row, read + 1);
        m_fileList.SetItemText(row++, 1, read[0] == 'D' ? TE_TEXT_FOLDER : TE_TEXT_FILE);
    }
    m_readRows.Clear();  // a large folder's names are not kept twice
}

int CMainWnd::Navigate(CString path)
{
    return ShowFolder(path, ListPlace());
}

// A relative path is taken from the listed folder, which the user sees, not from the
// current directory, which the common dialogs move. Refused with a beep, as a typed
// path that names no folder always was: list and path box stay as they were.
int CMainWnd::ShowFolder(const CString& path, const ListPlace& place)
{
    CWaitCursor busy;
    const CString folder = FullPath(m_listedFolder, path);
    if (folder.IsEmpty() || !PathIsDirectoryA(folder.GetString()) || !ReadFolder(folder)) {
        MessageBeep(MB_OK);
        return 0;
    }
    m_pathBox.SetWindowText(folder.GetString());
    FillList(folder);
    EnterList(place);
    return 1;
}

CString CMainWnd::JoinPath(CString base, CString name)
{
    return ::JoinPath(base, name);
}

int CMainWnd::OpenFolder(CString name)
{
    ShowFolder(JoinPath(m_listedFolder, name), name == ".." ? PlaceOfLeft(m_listedFolder) : ListPlace());
    return 1;
}

int CMainWnd::OnUp()
{
    return OpenFolder("..");
}

int CMainWnd::OnHome()
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    CString home = settings->GetHome();
    if (!PathIsDirectoryA(home.GetString()))
        home = settings->GetSpecialFolderPath(CSIDL_PERSONAL);
    return Navigate(home);
}

int CMainWnd::OnReload()
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    settings->Load();
    if (!UpdateLauncherMenu())
        return 0;
    return ShowFolder(m_pathBox.GetWindowText(), CurrentPlace());
}

int CMainWnd::OnBrowse()
{
    CString start = m_pathBox.GetWindowText();
    if (!PathIsDirectoryA(start.GetString()))
        start = "";
    CFolderDialog dialog;
    if (dialog.Browse(TE_TEXT_BROWSE, m_hWnd, start))
        ShowFolder(dialog.GetPath(), ListPlace());
    return 1;
}
