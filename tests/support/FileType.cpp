#include "support/FileType.h"

#include <windows.h>

namespace {

bool SetDefaultValue(const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(handle, nullptr, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

}  // namespace

bool RegisterVerbsFileType(const std::string& extension, const std::string& program)
{
    const std::string type = extension.substr(1) + ".file";
    return SetDefaultValue(extension, type) &&
           SetDefaultValue(type + "\\shell\\open\\command", "\"" + program + "\" open \"%1\"") &&
           SetDefaultValue(type + "\\shell\\edit\\command", "\"" + program + "\" edit \"%1\"");
}
