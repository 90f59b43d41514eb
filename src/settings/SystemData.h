#pragma once
#include "framework/core/String.h"

// Every setting of the explorer, and the only reader and writer of TavlornExplorer.ini.
// The singleton and the settings dialogs' working copies are objects of this class.
class CSystemData : public CObject {
public:
    static constexpr int LauncherCount = 10;

    struct tagLAUNCH_DATA {
        CString strName;
        CString strPath;
    };
    struct tagDATA {
        CString strHome;
        BOOL bDispSystemFile = 0;
        BOOL bDispHiddenFile = 0;
        tagLAUNCH_DATA launch[LauncherCount];
    };

    // Kinds for GetFilePath; any other kind yields the executable's folder.
    enum { SettingsFile = 0, HelpFile = 1 };

    CSystemData() {}
    virtual ~CSystemData() {}
    DECLARE_RUNTIME_CLASS(CSystemData)

    // 0 when the file exists but cannot be read; the values are then left as they were.
    virtual BOOL Load();
    // Replaces the file in one step by a finished copy with every key written; 0, with
    // the file as it was, when that fails or while the file could not be read.
    virtual BOOL Save();
    // Load and Save, answering why they failed (a system error code), or 0.
    DWORD TryLoad();
    DWORD TrySave();
    virtual BOOL CopyFrom(const CSystemData* other);
    virtual CString GetFilePath(int kind) const;
    virtual CString ReadString(CString section, CString key) const;
    virtual BOOL ReadBool(CString section, CString key) const;
    virtual BOOL WriteString(CString section, CString key, CString value) const;
    virtual BOOL WriteBool(CString section, CString key, BOOL value) const;
    virtual CString GetHome() const;
    virtual void SetHome(CString home);
    virtual BOOL GetDispSystemFile() const;
    virtual void SetDispSystemFile(BOOL show);
    virtual BOOL GetDispHiddenFile() const;
    virtual void SetDispHiddenFile(BOOL show);
    virtual CString GetLaunchName(int index) const;
    virtual void SetLaunchName(int index, CString name);
    virtual CString GetLaunchPath(int index) const;
    virtual void SetLaunchPath(int index, CString path);
    virtual CString GetStartFolder() const;
    virtual void SetStartFolder(CString folder);
    virtual CString GetSpecialFolderPath(int csidl) const;
    // Into this, each value edited holds other than opened (a path as it will be stored):
    // what the user changed in a dialog, over what the file holds now.
    void TakeChanges(const CSystemData& opened, const CSystemData& edited);

private:
    // The settings held in file; why not, when it is there but cannot be read.
    DWORD ReadFrom(const CString& file);
    // Every key into file, flushed to the disk; why not, or 0.
    DWORD WriteKeys(const CString& file) const;
    // Whether copy holds every key as saved and all else of original as it was.
    BOOL IsWhole(const CString& original, const CString& copy) const;

    tagDATA m_data;
    CString m_strStartFolder;
    // Why the last Load found the file there but unreadable, or 0; Save refuses with that
    // reason until a Load works.
    DWORD m_unreadable = 0;
};

// Where the settings file lives from now on: beside the executable while folder is
// empty (the default), else in folder, as a test points it at a folder of its own.
void SetSettingsFolder(const CString& folder);

int CreateSystemData();
CSystemData* GetSystemData();
int DestroySystemData();
