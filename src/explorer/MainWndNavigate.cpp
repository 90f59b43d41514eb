#include "explorer/MainWnd.h"

#include "common/Messages.h"
#include "framework/core/NameConversion.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"
#include "framework/dialogs/FolderDialog.h"
#include "resource.h"
#include "settings/SystemData.h"

#include <shlobj.h>

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

}  // namespace

// Rows are read before any is shown, so a folder that cannot be read leaves the list
// alone. The wide functions give the true names: the ANSI ones hand out best-fit
// look-alikes (café.txt as cafe.txt) that open whatever else carries that name.
CMainWnd::Listing CMainWnd::ReadFolder(const CString& folder)
{
    Listing listing;
    CSystemData* settings = GetSystemData();
    const BOOL showSystem = settings ? settings->GetDispSystemFile() : FALSE;
    const BOOL showHidden = settings ? settings->GetDispHiddenFile() : FALSE;

    const CString ansiPattern = folder + (EndsWithSeparator(folder) ? "*.*" : "\\*.*");
    wchar_t pattern[MAX_PATH];
    // Past the ANSI limit no row could be opened by its path: the folder is not listed
    // rather than listed empty.
    if (ansiPattern.GetLength() >= MAX_PATH || !WidePath(ansiPattern, pattern, MAX_PATH)) {
        listing.error = ERROR_FILENAME_EXCED_RANGE;
        return listing;
    }
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        listing.error = error == ERROR_FILE_NOT_FOUND ? 0 : error;  // no entry: an empty root
        return listing;
    }
    // A drive root has no "." entry: "." is dropped by name, never a root's first real entry.
    for (bool more = true; more && listing.error == 0; more = FindNextFileW(search, &entry) != FALSE) {
        if (lstrcmpW(entry.cFileName, L".") == 0)
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) && !showSystem)
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !showHidden)
            continue;
        if (!AddRow(listing.rows, entry))
            listing.error = ERROR_NOT_ENOUGH_MEMORY;
    }
    const DWORD end = GetLastError();  // of the last FindNextFileW
    if (listing.error == 0 && end != ERROR_NO_MORE_FILES)
        listing.error = end;  // a share gone mid-way
    FindClose(search);
    return listing;
}

// A name no path carries as it stands is listed by its short name; without one it keeps
// a lossy name and the verdict that no command may open it.
bool CMainWnd::AddRow(CTextList& rows, const WIN32_FIND_DATAW& entry)
{
    char row[MAX_PATH + 2];  // on the stack: a heap string per row costs a large folder dearly
    row[0] = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 'D' : 'F';
    row[1] = static_cast<char>('0' + static_cast<int>(ListedName(entry, row + 2)));
    return rows.Add(row, lstrlenA(row));
}

// Refills the list from the path box's folder; one that cannot be read leaves it as it was.
int CMainWnd::ListFolder()
{
    CWaitCursor busy;
    const CString folder = m_pathBox.GetWindowText();
    const Listing listing = ReadFolder(folder);
    if (listing.error != 0)
        return 0;
    FillList(folder, listing.rows);
    return 1;
}

void CMainWnd::FillList(const CString& folder, const CTextList& rows)
{
    CRedrawSuspended quiet(m_fileList);
    m_fileList.DeleteAllItems();
    m_listedFolder = folder;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    for (const char* read = rows.First(); read != nullptr; read = rows.Next(read)) {
        item.pszText = const_cast<char*>(read + 2);
        item.lParam = read[1] - '0';
        m_fileList.InsertItem(&item);
        m_fileList.SetItemText(item.iItem++, 1, read[0] == 'D' ? TE_TEXT_FOLDER : TE_TEXT_FILE);
    }
}

int CMainWnd::Navigate(CString path)
{
    return ShowFolder(path, ListPlace(), Refusal::Silent);
}

// typed is what folder came from: a path that FullPath could not hold was too long.
CMainWnd::Listing CMainWnd::ReadListing(const CString& typed, const CString& folder)
{
    Listing refused;
    if (folder.IsEmpty()) {
        refused.error = typed.IsEmpty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE;
        return refused;
    }
    // By its attributes: the shell's directory test denies a share's root.
    const DWORD attributes = ::GetFileAttributesA(folder.GetString());
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        refused.error = error == 0 ? ERROR_DIRECTORY : error;
        return refused;
    }
    return ReadFolder(folder);
}

// A relative path is taken from the listed folder, which the user sees, not from the
// current directory, which the common dialogs move. A refused path leaves the list as it
// was; told, the user reads why, and the path box shows the listed folder again, so box
// and list agree. An empty path (up from a drive root) is refused quietly.
int CMainWnd::ShowFolder(const CString& path, const ListPlace& place, Refusal refusal)
{
    CWaitCursor busy;
    const CString folder = FullPath(m_listedFolder, path);
    const Listing listing = ReadListing(path, folder);
    if (listing.error != 0) {
        if (refusal == Refusal::Told && !path.IsEmpty()) {
            Tell(m_hWnd, FolderRefusal(folder.IsEmpty() ? path : folder, listing.error), Notice::Error);
            m_pathBox.SetWindowText(m_listedFolder.GetString());
        }
        return 0;
    }
    m_pathBox.SetWindowText(folder.GetString());
    FillList(folder, listing.rows);
    EnterList(place);
    return 1;
}

CString CMainWnd::JoinPath(CString base, CString name)
{
    return ::JoinPath(base, name);
}

int CMainWnd::OpenFolder(CString name)
{
    ShowFolder(JoinPath(m_listedFolder, name), name == ".." ? PlaceOfLeft(m_listedFolder) : ListPlace(),
               Refusal::Told);
    return 1;
}

int CMainWnd::OnUp()
{
    return OpenFolder("..");
}

int CMainWnd::OnHome()
{
    return GoHome(Refusal::Told);
}

int CMainWnd::GoHome(Refusal refusal)
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    CString home = settings->GetHome();
    if (!IsFolder(home)) {
        const CString documents = settings->GetSpecialFolderPath(CSIDL_PERSONAL);
        if (!documents.IsEmpty() || home.IsEmpty())
            home = documents;  // else the home setting names what is missing
    }
    return ShowFolder(home, ListPlace(), refusal);
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
    const CString typed = PathAsGiven(m_pathBox.GetWindowText());
    if (!m_listedFolder.IsEmpty() && FullPath(m_listedFolder, typed) == m_listedFolder &&
        ::GetFileAttributesA(m_listedFolder.GetString()) == INVALID_FILE_ATTRIBUTES) {
        for (CString above = ::JoinPath(m_listedFolder, ".."); !above.IsEmpty(); above = ::JoinPath(above, ".."))
            if (IsFolder(above) && ShowFolder(above, ListPlace(), Refusal::Silent))
                return 1;
    }
    return ShowFolder(typed, CurrentPlace(), Refusal::Told);
}

int CMainWnd::OnBrowse()
{
    CString start = m_pathBox.GetWindowText();
    if (!IsFolder(start))
        start = "";
    CFolderDialog dialog;
    if (dialog.Browse(TE_TEXT_BROWSE, m_hWnd, start))
        ShowFolder(dialog.GetPath(), ListPlace(), Refusal::Told);
    else if (!dialog.GetRefusedName().IsEmpty())
        Tell(m_hWnd, ChosenNameRefusal(dialog.GetRefusedName()), Notice::Warning);
    return 1;
}
