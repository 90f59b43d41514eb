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

// The wide functions give the true names: the ANSI ones hand out best-fit look-alikes
// (café.txt as cafe.txt) that open whatever else carries that name.
int CMainWnd::ListFolder()
{
    CSystemData* settings = GetSystemData();
    const BOOL showSystem = settings ? settings->GetDispSystemFile() : FALSE;
    const BOOL showHidden = settings ? settings->GetDispHiddenFile() : FALSE;

    CWaitCursor busy;
    CRedrawSuspended quiet(m_fileList);
    m_fileList.DeleteAllItems();

    CString folder = m_pathBox.GetWindowText();
    m_listedFolder = folder;  // the rows are this folder's from here on, even if none come
    wchar_t pattern[MAX_PATH];
    if (!WidePath(folder + (EndsWithSeparator(folder) ? "*.*" : "\\*.*"), pattern, MAX_PATH))
        return 1;  // too long for any of the platform's path functions
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    // A drive root has no "." entry: only "." is dropped, never a root's first real entry.
    bool more = !IsDotEntry(entry) || FindNextFileW(search, &entry);
    for (int row = 0; more; more = FindNextFileW(search, &entry) != FALSE) {
        if (IsDotEntry(entry))
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) && !showSystem)
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !showHidden)
            continue;
        AddRow(row++, entry);
    }
    FindClose(search);
    return 1;
}

// A name the code page cannot hold is listed by its short name; without one it keeps
// the "?" of the conversion, which no real name contains, and commands refuse it.
void CMainWnd::AddRow(int row, const WIN32_FIND_DATAW& entry)
{
    char name[MAX_PATH];  // on the stack: the list keeps its own copy
    ListedName(entry, name);
    const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    m_fileList.InsertItem(row, name);
    m_fileList.SetItemText(row, 1, folder ? TE_TEXT_FOLDER : TE_TEXT_FILE);
}

// A relative path is fixed against today's current directory, which the common dialogs
// move: kept as typed, it would later name another folder.
int CMainWnd::Navigate(CString path)
{
    if (path.IsEmpty() || !PathIsDirectoryA(path.GetString()))
        return 0;  // refused: list and path box stay as they were
    CString folder = AbsolutePath(path);
    // "C:" alone names the drive's current directory, which is not what was typed.
    if (folder.GetLength() == 2 && folder.GetString()[1] == ':')
        folder += '\\';
    m_pathBox.SetWindowText(folder.GetString());
    const int listed = ListFolder();
    EnterList(ListPlace());
    return listed;
}

CString CMainWnd::JoinPath(CString base, CString name)
{
    return ::JoinPath(base, name);
}

int CMainWnd::OpenFolder(CString name)
{
    const CString from = m_listedFolder;  // the listing about to run replaces it
    if (Navigate(JoinPath(from, name)) && name == "..")
        EnterList(PlaceOfLeft(from));
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
    const ListPlace place = CurrentPlace();
    const int listed = Navigate(m_pathBox.GetWindowText());
    if (listed)
        EnterList(place);
    return listed;
}

int CMainWnd::OnBrowse()
{
    CString start = m_pathBox.GetWindowText();
    if (!PathIsDirectoryA(start.GetString()))
        start = "";
    CFolderDialog dialog;
    if (dialog.Browse(TE_TEXT_BROWSE, m_hWnd, start)) {
        m_pathBox.SetWindowText(dialog.GetPath().GetString());
        ListFolder();
        EnterList(ListPlace());
    }
    return 1;
}
