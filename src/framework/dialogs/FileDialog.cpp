#include "framework/dialogs/FileDialog.h"

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
    const BOOL result = ::GetOpenFileNameA(record);
    m_record = *record;
    return result;
}

BOOL CFileDialog::GetOpenFileName()
{
    return ::GetOpenFileNameA(&m_record);
}

BOOL CFileDialog::GetSaveFileName(OPENFILENAMEA* record)
{
    const BOOL result = ::GetSaveFileNameA(record);
    m_record = *record;
    return result;
}

BOOL CFileDialog::GetSaveFileName()
{
    return ::GetSaveFileNameA(&m_record);
}
