#include "explorer/MainWnd.h"

#include "framework/core/PathText.h"
#include "resource.h"
#include "settings/CommonSettingDlg.h"
#include "settings/LaunchSettingDlg.h"
#include "settings/SystemData.h"
#include "settings/VersionDlg.h"

#include <shellapi.h>
#include <windowsx.h>

namespace {

void Shell(const char* verb, const CString& file, const char* parameters = nullptr)
{
    // The shell reports its own failures; the explorer shows nothing of its own.
    ShellExecuteA(nullptr, verb, file.GetString(), parameters, nullptr, SW_SHOW);
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
            Shell("open", settings->GetFilePath(CSystemData::HelpFile));
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
    // "?" stands for a character the code page lacks: the name would open a look-alike.
    return name.Find('?') >= 0 ? -1 : row;
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
    Shell("edit", JoinPath(m_listedFolder, name));
    return 1;
}

int CMainWnd::OpenFile(CString name)
{
    Shell("open", JoinPath(m_listedFolder, name));
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
    Shell("open", program, parameter.GetString());
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
        m_contextMenu.SetItemText(IDM_OPEN_WITH_FIRST + i, FALSE, label.GetString());
    }
    return 1;
}

void CMainWnd::ShowContextMenu()
{
    // Screen coordinates may be negative left of or above the primary monitor.
    const DWORD position = GetMessagePos();
    TrackPopupMenu(m_contextMenu.GetHandle(), TPM_LEFTALIGN | TPM_BOTTOMALIGN,
                   GET_X_LPARAM(position), GET_Y_LPARAM(position), 0, m_hWnd, nullptr);
}
