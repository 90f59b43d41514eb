#include "explorer/MainWnd.h"

#include "explorer/PathText.h"
#include "framework/dialogs/FolderDialog.h"
#include "settings/SystemData.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

const char* const FolderKind = "フォルダ";
const char* const FileKind = "ファイル";

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

bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return lstrcmpA(entry.cFileName, ".") == 0;
}

}  // namespace

int CMainWnd::ListFolder()
{
    CSystemData* settings = GetSystemData();
    const BOOL showSystem = settings ? settings->GetDispSystemFile() : FALSE;
    const BOOL showHidden = settings ? settings->GetDispHiddenFile() : FALSE;

    CRedrawSuspended quiet(m_fileList);
    m_fileList.DeleteAllItems();

    CString pattern = m_pathBox.GetWindowText();
    pattern += EndsWithSeparator(pattern) ? "*.*" : "\\*.*";
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.GetString(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    // A drive root has no "." entry: only "." is dropped, never a root's first real entry.
    bool more = !IsDotEntry(entry) || FindNextFileA(search, &entry);
    for (int row = 0; more; more = FindNextFileA(search, &entry) != FALSE) {
        if (IsDotEntry(entry))
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) && !showSystem)
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !showHidden)
            continue;
        const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        m_fileList.InsertItem(row, nullptr);
        m_fileList.SetItemText(row, 0, entry.cFileName);
        m_fileList.SetItemText(row, 1, folder ? FolderKind : FileKind);
        ++row;
    }
    FindClose(search);
    return 1;
}

int CMainWnd::Navigate(CString path)
{
    if (path.IsEmpty() || !PathIsDirectoryA(path.GetString()))
        return 0;  // refused: list and path box stay as they were
    m_pathBox.SetWindowText(path.GetString());
    return ListFolder();
}

CString CMainWnd::JoinPath(CString base, CString name)
{
    if (name == "..") {
        const int separator = FindLastSeparator(base);
        return separator >= 0 ? base.Left(separator) : CString("");
    }
    CString joined(base);
    if (!EndsWithSeparator(base))
        joined += '\\';
    joined += name;
    return joined;
}

int CMainWnd::OpenFolder(CString name)
{
    Navigate(JoinPath(m_pathBox.GetWindowText(), name));
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
    return Navigate(m_pathBox.GetWindowText());
}

int CMainWnd::OnBrowse()
{
    CString start = m_pathBox.GetWindowText();
    if (!PathIsDirectoryA(start.GetString()))
        start = "";
    CFolderDialog dialog;
    if (dialog.Browse("参照", m_hWnd, start)) {
        m_pathBox.SetWindowText(dialog.GetPath().GetString());
        ListFolder();
    }
    return 1;
}
