#include "explorer/MainWnd.h"

#include "common/Messages.h"
#include "framework/core/NameConversion.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"
#include "resource.h"
#include "settings/CommonSettingDlg.h"
#include "settings/LaunchSettingDlg.h"
#include "settings/SystemData.h"
#include "settings/VersionDlg.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <windowsx.h>

namespace {

// One shell command in UTF-16, exactly as the entry is named.
struct ShellCommand {
    wchar_t verb[16];
    wchar_t file[MAX_PATH];
    wchar_t parameters[2 * MAX_PATH + 8];
    bool hasParameters;
};

bool ToWide(const char* verb, const CString& file, const char* parameters, ShellCommand& command)
{
    command.hasParameters = parameters != nullptr;
    command.parameters[0] = L'\0';
    return WidePath(CString(verb), command.verb, 16) && WidePath(file, command.file, MAX_PATH) &&
           (parameters == nullptr || WidePath(CString(parameters), command.parameters, 2 * MAX_PATH + 8));
}

// Whether the shell would open another file than path: Wine's shell expands every %NAME%
// of the file it is given, whatever the flags.
bool ReadsAsVariables(const wchar_t* path)
{
    wchar_t expanded[2 * MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsW(path, expanded, 2 * MAX_PATH);
    return length == 0 || length > 2 * MAX_PATH || lstrcmpW(expanded, path) != 0;
}

// The shell's way. It tells the user of its own failures (a file gone, a type with no
// program or without the verb, a broken shortcut) in a box owned by owner. With type
// set, the verb of that type's class, whose command takes the path as it stands.
bool ShellExecuteCommand(HWND owner, const ShellCommand& command, const wchar_t* type)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = type != nullptr ? SEE_MASK_CLASSNAME : 0;
    info.hwnd = owner;
    info.lpVerb = command.verb;
    info.lpFile = command.file;
    info.lpParameters = command.hasParameters ? command.parameters : nullptr;
    info.lpClass = type;
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info) != FALSE;
}

// A program started as its own process, expanding nothing; shown as the shell shows
// what it starts. A failure is told here: no shell reports it.
bool StartProgram(HWND owner, const CString& file, const ShellCommand& command)
{
    wchar_t line[4 * MAX_PATH];
    lstrcpyW(line, L"\"");
    lstrcatW(line, command.file);
    lstrcatW(line, L"\"");
    if (command.parameters[0] != L'\0') {
        lstrcatW(line, L" ");
        lstrcatW(line, command.parameters);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(command.file, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Tell(owner, StartFailure(file, GetLastError()), Notice::Error);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A path that reads as variables is kept from the shell's expansion: a program is started
// here, a document goes to its type's class, and a name with no type to go by is refused
// and the user told why. True when the command was handed on.
bool OpenInShell(HWND owner, const char* verb, const CString& file, const char* parameters = nullptr)
{
    ShellCommand command;
    if (!ToWide(verb, file, parameters, command)) {
        Tell(owner, StartFailure(file, ERROR_FILENAME_EXCED_RANGE), Notice::Error);
        return false;
    }
    if (!ReadsAsVariables(command.file))
        return ShellExecuteCommand(owner, command, nullptr);
    const wchar_t* type = PathFindExtensionW(command.file);
    if (lstrcmpiW(type, L".exe") == 0 || lstrcmpiW(type, L".com") == 0)
        return StartProgram(owner, file, command);
    if (*type != L'\0')
        return ShellExecuteCommand(owner, command, type);
    Tell(owner, VariableNameRefusal(file), Notice::Warning);
    return false;
}

// The folder a shortcut points at, as a path that reaches it; false for a shortcut to a
// file, or one that cannot be read (the shell then tells what is wrong with it).
bool ShortcutFolder(const CString& shortcut, CString& folder)
{
    wchar_t path[MAX_PATH], target[MAX_PATH] = L"";
    if (!WidePath(shortcut, path, MAX_PATH))
        return false;
    const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(path, STGM_READ)))
            link->GetPath(target, MAX_PATH, nullptr, 0);
        if (file != nullptr)
            file->Release();
        link->Release();
    }
    if (initialised)
        CoUninitialize();
    const DWORD attributes = target[0] != L'\0' ? GetFileAttributesW(target) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           ReachingPath(target, folder);
}

}  // namespace

LRESULT CMainWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_BROWSE:            OnBrowse(); return 0;
    case IDM_GO_HOME:           OnHome(); return 0;
    case IDM_GO_UP:             OnUp(); return 0;
    case IDM_RELOAD:            OnReload(); return 0;
    case IDM_FILE_OPEN:         OnOpen(); return 0;
    case IDM_FILE_EDIT:         OnEdit(); return 0;
    case IDM_FILE_EXIT:         PostQuitMessage(0); return 0;
    case IDM_SETTING_COMMON:
    case IDM_SETTING_LAUNCHER:
    case IDM_HELP_VERSION:        RunDialog(id); return 0;
    case IDM_HELP_USAGE:
        if (CSystemData* settings = GetSystemData())
            OpenInShell(m_hWnd, "open", settings->GetFilePath(CSystemData::HelpFile));
        return 0;
    }
    if (id >= IDM_OPEN_WITH_FIRST && id < IDM_OPEN_WITH_FIRST + CSystemData::LauncherCount) {
        OnOpenWith(id - IDM_OPEN_WITH_FIRST);
        return 0;
    }
    return CWindow::OnCommand(wParam, lParam);
}

// The dialogs are modal and owned by this window. A settings dialog that ended with
// "登録" has written the file, so the window reloads to take the new settings in.
int CMainWnd::RunDialog(int command)
{
    INT_PTR result = IDCANCEL;
    switch (command) {
    case IDM_SETTING_COMMON: {
        CCommonSettingDlg dialog;
        result = dialog.DoModal(m_hWnd);
        break;
    }
    case IDM_SETTING_LAUNCHER: {
        CLaunchSettingDlg dialog;
        result = dialog.DoModal(m_hWnd);
        break;
    }
    case IDM_HELP_VERSION: {
        CVersionDlg dialog;
        return static_cast<int>(dialog.DoModal(m_hWnd));
    }
    }
    if (result == IDOK)
        OnReload();
    return static_cast<int>(result);
}

int CMainWnd::GetSelectedEntry(CString& name, CString& kind)
{
    const int row = m_fileList.GetSelectedIndex();
    if (row < 0)
        return -1;
    name = m_fileList.GetItemText(row, 0);
    kind = m_fileList.GetItemText(row, 1);
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    // The verdict the listing gave the row: its shown name would open another entry.
    if (!m_fileList.GetItem(&item) || item.lParam == static_cast<LPARAM>(NameFault::None))
        return row;
    Tell(m_hWnd, NameRefusal(name, static_cast<NameFault>(item.lParam)), Notice::Warning);
    return -1;
}

int CMainWnd::OnOpen()
{
    CString name, kind;
    if (GetSelectedEntry(name, kind) < 0)
        return 0;
    if (kind == TE_TEXT_FOLDER)
        OpenFolder(name);
    else
        OpenFile(name);
    return 1;
}

int CMainWnd::OnEdit()
{
    CString name, kind;
    if (GetSelectedEntry(name, kind) < 0 || kind == TE_TEXT_FOLDER)
        return 0;
    OpenInShell(m_hWnd, "edit", JoinPath(m_listedFolder, name));
    return 1;
}

// A shortcut to a folder opens the folder here, as the system's own file manager does;
// the shell would start another file manager on it.
int CMainWnd::OpenFile(CString name)
{
    const CString path = JoinPath(m_listedFolder, name);
    CString folder;
    if (lstrcmpiA(PathFindExtensionA(path.GetString()), ".lnk") == 0 && ShortcutFolder(path, folder))
        ShowFolder(folder, ListPlace(), Refusal::Told);
    else
        OpenInShell(m_hWnd, "open", path);
    return 1;
}

int CMainWnd::OnOpenWith(int index)
{
    CSystemData* settings = GetSystemData();
    CString name, kind;
    if (settings == nullptr || GetSelectedEntry(name, kind) < 0)
        return 0;
    const CString target = JoinPath(m_listedFolder, name);
    const CString program = settings->GetLaunchPath(index);
    if (!FileExists(program)) {
        // An unregistered entry does nothing; a program gone since it was registered is told.
        if (!program.IsEmpty())
            Tell(m_hWnd, StartFailure(program, ERROR_FILE_NOT_FOUND), Notice::Error);
        return 0;
    }
    const CString parameter = QuotedArgument(target);
    return OpenInShell(m_hWnd, "open", program, parameter.GetString()) ? 1 : 0;
}

int CMainWnd::FileExists(CString path)
{
    return ::FileExists(path) ? 1 : 0;
}

int CMainWnd::UpdateLauncherMenu()
{
    CSystemData* settings = GetSystemData();
    if (settings == nullptr)
        return 0;
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        const CString program = settings->GetLaunchPath(i);
        CString label(TE_TEXT_UNREGISTERED);
        if (FileExists(program)) {
            label = settings->GetLaunchName(i);
            if (label.IsEmpty())  // an empty item would hide which program it starts
                label = FileName(program);
        }
        // A long name would make the sub-menu as wide as the screen, over its parent menu.
        label = MenuItemLabel(label, GetSystemMetrics(SM_CXSCREEN) / 3 - 4 * GetSystemMetrics(SM_CXMENUCHECK));
        m_contextMenu.SetItemText(IDM_OPEN_WITH_FIRST + i, FALSE, label.GetString());
    }
    return 1;
}

// From the keyboard the menu opens at the focused row, where the user's eyes are; from the
// mouse, where it was clicked.
void CMainWnd::ShowContextMenu(MenuAt where)
{
    // Screen coordinates may be negative left of or above the primary monitor.
    const DWORD position = GetMessagePos();
    POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    UINT align = TPM_LEFTALIGN | TPM_BOTTOMALIGN;
    if (where == MenuAt::FocusedRow) {
        RECT row = {};
        const int focused = m_fileList.GetNextItem(-1, LVNI_FOCUSED);
        row.left = LVIR_LABEL;
        RECT shown = {};
        ::GetClientRect(m_fileList.GetHwnd(), &shown);
        if (focused < 0 || !m_fileList.SendMessage(LVM_GETITEMRECT, focused, reinterpret_cast<LPARAM>(&row)) ||
            row.bottom <= 0 || row.bottom > shown.bottom)
            row = RECT{0, 0, 0, 0};  // no row in view: the list's corner
        at = POINT{row.left + 8, row.bottom};
        ::ClientToScreen(m_fileList.GetHwnd(), &at);
        align = TPM_LEFTALIGN | TPM_TOPALIGN;
    }
    TrackPopupMenu(m_contextMenu.GetHandle(), align, at.x, at.y, 0, m_hWnd, nullptr);
}
