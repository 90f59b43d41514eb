#include "explorer/MainWnd.h"

#include "framework/core/PathText.h"
#include "resource.h"
#include "settings/CommonSettingDlg.h"
#include "settings/LaunchSettingDlg.h"
#include "settings/SystemData.h"
#include "settings/VersionDlg.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <windowsx.h>

namespace {

// The process of a program whose path reads as variables: nothing on this road
// expands them. Shown like the shell shows what it starts.
void StartProgram(const wchar_t* program, const wchar_t* parameters)
{
    wchar_t command[4 * MAX_PATH];
    lstrcpyW(command, L"\"");
    lstrcatW(command, program);
    lstrcatW(command, L"\"");
    if (parameters != nullptr && *parameters != L'\0') {
        lstrcatW(command, L" ");
        lstrcatW(command, parameters);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(program, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// Wine's shell expands every %NAME% in the file it is given, whatever the flags, and so
// opens another file. Such a program is started here; such a document goes to the verb
// of its type's class, whose command takes the path as it stands. Other paths take the
// ordinary road. The shell reports its own failures; the explorer says why it refuses.
void Shell(HWND owner, const char* verb, const CString& file, const char* parameters = nullptr)
{
    wchar_t path[MAX_PATH], wideVerb[16], expanded[2 * MAX_PATH];
    wchar_t wideParameters[2 * MAX_PATH + 8] = L"";
    if (!WidePath(file, path, MAX_PATH) || !WidePath(CString(verb), wideVerb, 16) ||
        (parameters != nullptr && !WidePath(CString(parameters), wideParameters, 2 * MAX_PATH + 8)))
        return;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = wideVerb;
    info.lpFile = path;
    info.lpParameters = parameters != nullptr ? wideParameters : nullptr;
    info.nShow = SW_SHOW;
    const DWORD length = ExpandEnvironmentStringsW(path, expanded, 2 * MAX_PATH);
    if (length == 0 || length > 2 * MAX_PATH || lstrcmpW(expanded, path) != 0) {
        info.lpClass = PathFindExtensionW(path);
        if (lstrcmpiW(info.lpClass, L".exe") == 0 || lstrcmpiW(info.lpClass, L".com") == 0) {
            StartProgram(path, info.lpParameters);
            return;
        }
        if (*info.lpClass == L'\0') {
            char caption[MAX_PATH] = "";
            GetWindowTextA(owner, caption, MAX_PATH);
            CString text(file);
            text += "\r\n\r\n名前の % が環境変数として読まれ、別のファイルが開かれるため、開きません。";
            MessageBoxA(owner, text.GetString(), caption, MB_OK | MB_ICONWARNING);
            return;
        }
        info.fMask |= SEE_MASK_CLASSNAME;
    }
    ShellExecuteExW(&info);
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
            Shell(m_hWnd, "open", settings->GetFilePath(CSystemData::HelpFile));
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
    // "?" stands for a character the code page lacks, and a name ending in a dot or a
    // blank is read without it: either would open a look-alike.
    return name.Find('?') >= 0 || EndsInDotOrBlank(name) ? -1 : row;
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
    Shell(m_hWnd, "edit", JoinPath(m_listedFolder, name));
    return 1;
}

int CMainWnd::OpenFile(CString name)
{
    Shell(m_hWnd, "open", JoinPath(m_listedFolder, name));
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
    if (!FileExists(program))
        return 0;
    const CString parameter = QuotedArgument(target);
    Shell(m_hWnd, "open", program, parameter.GetString());
    return 1;
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
void CMainWnd::ShowContextMenu(bool atFocusedRow)
{
    // Screen coordinates may be negative left of or above the primary monitor.
    const DWORD position = GetMessagePos();
    POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    UINT align = TPM_LEFTALIGN | TPM_BOTTOMALIGN;
    if (atFocusedRow) {
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
