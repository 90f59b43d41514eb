#include "settings/SystemData.h"

#include <shlobj.h>
#include <shlwapi.h>

IMPLEMENT_RUNTIME_CLASS(CSystemData, CObject)

namespace {

const char* const CommonSection = "COMMON_SETTING";
const char* const LauncherSection = "LACNCH_SETTING";  // spelled so in every existing file
const int ValueBufferSize = 260;

CSystemData* g_systemData = nullptr;

CString LauncherKey(const char* prefix, int index)
{
    CString key;
    key.Format("%s%d", prefix, index + 1);  // the file numbers entries from 1
    return key;
}

}  // namespace

int CreateSystemData()
{
    if (g_systemData != nullptr)
        return 0;
    g_systemData = new CSystemData;
    return 1;
}

CSystemData* GetSystemData()
{
    return g_systemData;
}

int DestroySystemData()
{
    if (g_systemData == nullptr)
        return 0;
    delete g_systemData;
    g_systemData = nullptr;
    return 1;
}

BOOL CSystemData::Load()
{
    m_data.strHome = ReadString(CommonSection, "HOME");
    m_data.bDispSystemFile = ReadBool(CommonSection, "DISP_SYSTEM_FILE");
    m_data.bDispHiddenFile = ReadBool(CommonSection, "DISP_HIDDEN_FILE");
    for (int i = 0; i < LauncherCount; ++i) {
        m_data.launch[i].strName = ReadString(LauncherSection, LauncherKey("NAME", i));
        m_data.launch[i].strPath = ReadString(LauncherSection, LauncherKey("PATH", i));
    }
    return 1;
}

// Reports whether every key reached the file, so that a failed save is never taken
// for a stored one.
BOOL CSystemData::Save()
{
    BOOL saved = WriteString(CommonSection, "HOME", m_data.strHome);
    saved &= WriteBool(CommonSection, "DISP_SYSTEM_FILE", m_data.bDispSystemFile);
    saved &= WriteBool(CommonSection, "DISP_HIDDEN_FILE", m_data.bDispHiddenFile);
    for (int i = 0; i < LauncherCount; ++i) {
        saved &= WriteString(LauncherSection, LauncherKey("NAME", i), m_data.launch[i].strName);
        saved &= WriteString(LauncherSection, LauncherKey("PATH", i), m_data.launch[i].strPath);
    }
    return saved ? 1 : 0;
}

BOOL CSystemData::CopyFrom(const CSystemData* other)
{
    if (other == nullptr)
        return 0;
    m_data.strHome = other->GetHome();
    m_data.bDispSystemFile = other->GetDispSystemFile();
    m_data.bDispHiddenFile = other->GetDispHiddenFile();
    for (int i = 0; i < LauncherCount; ++i) {
        m_data.launch[i].strName = other->GetLaunchName(i);
        m_data.launch[i].strPath = other->GetLaunchPath(i);
    }
    return 1;
}

CString CSystemData::GetFilePath(int kind) const
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    // Cut at the last real separator: the executable's own name may hold a double-byte
    // character whose trail byte is 0x5C, which a byte-wise search would take for one.
    const int separator = static_cast<int>(PathFindFileNameA(module) - module) - 1;
    CString folder = CString(module).Left(separator);
    if (kind == SettingsFile)
        folder += "\\TavlornExplorer.ini";
    else if (kind == HelpFile)
        folder += "\\使い方.txt";
    return folder;
}

CString CSystemData::ReadString(CString section, CString key) const
{
    char value[ValueBufferSize] = "";
    GetPrivateProfileStringA(section.GetString(), key.GetString(), "", value, ValueBufferSize,
                             GetFilePath(SettingsFile).GetString());
    return CString(value);
}

BOOL CSystemData::ReadBool(CString section, CString key) const
{
    char value[ValueBufferSize] = "";
    GetPrivateProfileStringA(section.GetString(), key.GetString(), "FALSE", value,
                             ValueBufferSize, GetFilePath(SettingsFile).GetString());
    return lstrcmpA(value, "TRUE") == 0 ? 1 : 0;
}

BOOL CSystemData::WriteString(CString section, CString key, CString value) const
{
    // Never a null value: that would delete the key instead of writing "KEY=".
    const char* text = value.GetString() ? value.GetString() : "";
    return WritePrivateProfileStringA(section.GetString(), key.GetString(), text,
                                      GetFilePath(SettingsFile).GetString());
}

BOOL CSystemData::WriteBool(CString section, CString key, BOOL value) const
{
    return WriteString(section, key, value ? "TRUE" : "FALSE");
}

CString CSystemData::GetHome() const { return m_data.strHome; }
void CSystemData::SetHome(CString home) { m_data.strHome = home; }
BOOL CSystemData::GetDispSystemFile() const { return m_data.bDispSystemFile; }
void CSystemData::SetDispSystemFile(BOOL show) { m_data.bDispSystemFile = show; }
BOOL CSystemData::GetDispHiddenFile() const { return m_data.bDispHiddenFile; }
void CSystemData::SetDispHiddenFile(BOOL show) { m_data.bDispHiddenFile = show; }
CString CSystemData::GetLaunchName(int index) const { return m_data.launch[index].strName; }
void CSystemData::SetLaunchName(int index, CString name) { m_data.launch[index].strName = name; }
CString CSystemData::GetLaunchPath(int index) const { return m_data.launch[index].strPath; }
void CSystemData::SetLaunchPath(int index, CString path) { m_data.launch[index].strPath = path; }
CString CSystemData::GetStartFolder() const { return m_strStartFolder; }
void CSystemData::SetStartFolder(CString folder) { m_strStartFolder = folder; }

CString CSystemData::GetSpecialFolderPath(int csidl) const
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return CString("");
    return CString(path);
}
