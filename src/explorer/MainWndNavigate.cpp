#include "explorer/MainWnd.h"

#include "framework/core/PathText.h"
#include "framework/core/SystemMessage.h"
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
    if (ansiPattern.GetLength() >= MAX_PATH || !WidePath(ansiPattern, pattern, MAX_PATH)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
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
    return ShowFolder(path, ListPlace(), false);
}

// Why folder cannot be listed, or 0 when its rows have been read. typed is what it came
// from: a path that FullPath could not hold was too long.
DWORD CMainWnd::ReadListable(const CString& typed, const CString& folder)
{
    if (folder.IsEmpty())
        return typed.IsEmpty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE;
    if (!PathIsDirectoryA(folder.GetString())) {
        const bool exists = ::GetFileAttributesA(folder.GetString()) != INVALID_FILE_ATTRIBUTES;
        const DWORD error = GetLastError();
        return exists || error == 0 ? ERROR_DIRECTORY : error;
    }
    if (ReadFolder(folder))
        return 0;
    const DWORD error = GetLastError();
    return error == 0 || error == ERROR_NO_MORE_FILES ? ERROR_NOT_ENOUGH_MEMORY : error;
}

// A relative path is taken from the listed folder, which the user sees, not from the
// current directory, which the common dialogs move. A refused path leaves the list as it
// was; told, the user reads why, and the path box shows the listed folder again, so box
// and list agree. An empty path (up from a drive root) is refused quietly.
int CMainWnd::ShowFolder(const CString& path, const ListPlace& place, bool tell)
{
    CWaitCursor busy;
    const CString folder = FullPath(m_listedFolder, path);
    const DWORD refusal = ReadListable(path, folder);
    if (refusal != 0) {
        if (tell && !path.IsEmpty()) {
            SayRefused(folder.IsEmpty() ? path : folder, refusal);
            m_pathBox.SetWindowText(m_listedFolder.GetString());
        }
        return 0;
    }
    m_pathBox.SetWindowText(folder.GetString());
    FillList(folder);
    EnterList(place);
    return 1;
}

// Worded as the system's own messages: the path, then the reason in its words.
void CMainWnd::SayRefused(const CString& path, DWORD error)
{
    const CString text = "フォルダ「" + path + "」を表示できません。\r\n\r\n" + SystemMessage(error);
    ::MessageBoxA(m_hWnd, text.GetString(), GetWindowText().GetString(), MB_OK | MB_ICONERROR);
}

CString CMainWnd::JoinPath(CString base, CString name)
{
    return ::JoinPath(base, name);
}

int CMainWnd::OpenFolder(CString name)
{
    ShowFolder(JoinPath(m_listedFolder, name), name == ".." ? PlaceOfLeft(m_listedFolder) : ListPlace(), true);
    return 1;
}

int CMainWnd::OnUp()
{
    return OpenFolder("..");
}

int CMainWnd::OnHome()
{
    return GoHome(true);
}

int CMainWnd::GoHome(bool tell)
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    CString home = settings->GetHome();
    if (!PathIsDirectoryA(home.GetString())) {
        const CString documents = settings->GetSpecialFolderPath(CSIDL_PERSONAL);
        if (!documents.IsEmpty() || home.IsEmpty())
            home = documents;  // else the home setting names what is missing
    }
    return ShowFolder(home, ListPlace(), tell);
}

// F5 on a listed folder deleted meanwhile lists the nearest folder above it that is still
// there, as the system's explorer does; any other path that cannot be listed is refused.
int CMainWnd::OnReload()
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    settings->Load();
    if (!UpdateLauncherMenu())
        return 0;
    const CString typed = m_pathBox.GetWindowText();
    if (!m_listedFolder.IsEmpty() && FullPath(m_listedFolder, typed) == m_listedFolder &&
        ::GetFileAttributesA(m_listedFolder.GetString()) == INVALID_FILE_ATTRIBUTES) {
        for (CString above = ::JoinPath(m_listedFolder, ".."); !above.IsEmpty(); above = ::JoinPath(above, ".."))
            if (PathIsDirectoryA(above.GetString()) && ShowFolder(above, ListPlace(), false))
                return 1;
    }
    return ShowFolder(typed, CurrentPlace(), true);
}

int CMainWnd::OnBrowse()
{
    CString start = m_pathBox.GetWindowText();
    if (!PathIsDirectoryA(start.GetString()))
        start = "";
    CFolderDialog dialog;
    if (dialog.Browse(TE_TEXT_BROWSE, m_hWnd, start))
        ShowFolder(dialog.GetPath(), ListPlace(), true);
    return 1;
}
