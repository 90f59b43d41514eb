#include "framework/dialogs/FileDialog.h"

#include "framework/core/NameConversion.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"

#include <cstring>

IMPLEMENT_RUNTIME_CLASS(CFileDialog, CObject)

namespace {

// Pairs of description and pattern, the list ended by an empty string.
const char AllFilesFilter[] = "全てのファイル\0*.*\0";

}  // namespace

CFileDialog::CFileDialog(HWND owner, const char* title)
    : m_record(), m_fileName()
{
    m_record.lStructSize = sizeof(m_record);
    m_record.hwndOwner = owner;
    m_record.lpstrFilter = AllFilesFilter;
    // No custom-filter buffer: an empty one is a malformed filter, and the dialog
    // then lists no file types at all.
    m_record.lpstrCustomFilter = nullptr;
    m_record.nMaxCustFilter = 0;
    m_record.nFilterIndex = 0;
    m_record.lpstrFile = m_fileName;
    m_record.nMaxFile = sizeof(m_fileName);
    m_record.lpstrTitle = title;
    m_record.Flags = OFN_FILEMUSTEXIST;
}

CFileDialog::~CFileDialog()
{
}

OPENFILENAMEA* CFileDialog::GetRecord()
{
    return &m_record;
}

BOOL CFileDialog::GetOpenFileName(OPENFILENAMEA* record)
{
    return RunOn(record, Kind::Open);
}

BOOL CFileDialog::GetOpenFileName()
{
    return Run(Kind::Open);
}

BOOL CFileDialog::GetSaveFileName(OPENFILENAMEA* record)
{
    return RunOn(record, Kind::Save);
}

// The caller's record, its file buffer included, goes through the same wide dialog.
BOOL CFileDialog::RunOn(OPENFILENAMEA* record, Kind kind)
{
    if (record == nullptr)
        return FALSE;
    m_record = *record;
    const BOOL result = Run(kind);
    *record = m_record;
    return result;
}

BOOL CFileDialog::GetSaveFileName()
{
    return Run(Kind::Save);
}

namespace {

// text, the given number of bytes of it, NULs included, in UTF-16 in wide; null for none.
const wchar_t* Wide(const char* text, int bytes, wchar_t* wide, int size)
{
    if (text == nullptr || MultiByteToWideChar(CP_ACP, 0, text, bytes, wide, size) == 0)
        return nullptr;
    return wide;
}

}  // namespace

// The A dialog hands out a best-fit look-alike of a name the code page cannot hold
// (réc.exe as rec.exe, another program): the wide dialog's answer goes into lpstrFile
// as a path that reaches the file chosen, or the choice is refused and its lossy name
// kept for the caller to tell.
BOOL CFileDialog::Run(Kind kind)
{
    const char* filter = m_record.lpstrFilter;
    int filterBytes = 0;
    while (filter != nullptr && filter[filterBytes] != '\0')
        filterBytes += lstrlenA(filter + filterBytes) + 1;
    wchar_t wideFilter[MAX_PATH], title[MAX_PATH], folder[MAX_PATH], extension[16];
    m_refused = CString("");
    char* const file = m_record.lpstrFile;
    const int fileSize = static_cast<int>(m_record.nMaxFile);
    wchar_t chosen[MAX_PATH] = L"";
    if (file == nullptr || fileSize <= 0 || !WidePath(file, chosen, MAX_PATH))
        chosen[0] = L'\0';
    OPENFILENAMEW record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = m_record.hwndOwner;
    record.lpstrFilter = Wide(filter, filterBytes + 1, wideFilter, MAX_PATH);
    record.nFilterIndex = m_record.nFilterIndex;
    record.lpstrFile = chosen;
    record.nMaxFile = MAX_PATH;
    record.lpstrInitialDir = Wide(m_record.lpstrInitialDir, -1, folder, MAX_PATH);
    record.lpstrTitle = Wide(m_record.lpstrTitle, -1, title, MAX_PATH);
    record.Flags = m_record.Flags;
    record.lpstrDefExt = Wide(m_record.lpstrDefExt, -1, extension, 16);
    if (!(kind == Kind::Save ? ::GetSaveFileNameW(&record) : ::GetOpenFileNameW(&record)))
        return FALSE;
    m_record.nFilterIndex = record.nFilterIndex;
    m_record.Flags = record.Flags;
    CString path;
    if (!ReachingPath(chosen, path)) {  // a new file to save has no short name to fall back on
        m_refused = path;
        return FALSE;
    }
    if (file == nullptr || path.GetLength() >= fileSize)
        return FALSE;
    lstrcpynA(file, path.GetString(), fileSize);
    const int separator = FindLastSeparator(path);
    m_record.nFileOffset = static_cast<WORD>(separator + 1);
    const char* dot = std::strrchr(file + separator + 1, '.');
    m_record.nFileExtension = static_cast<WORD>(dot != nullptr ? dot - file + 1 : 0);
    return TRUE;
}
