// The portable rules of file installation: which names the log leaves out.
#include "framework/TextCompare.h"
#include "transfer/install/CInstallFile.h"

bool CInstallFile::IsProtectedRuntimeName(const std::string& fileName)
{
    static const char* const kRuntimeDlls[] = {
        "msvcrt20.dll", "mfc30.dll", "mfco30.dll", "mfcd30.dll", "mfcn30.dll", "mfcans32.dll", "mfcuia32.dll",
    };
    for (const char* name : kRuntimeDlls)
        if (EqualsIgnoreCase(fileName, name))
            return true;
    return false;
}

bool CInstallFile::SharedDllNames(const std::string& dllPath, const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    if (!EqualsIgnoreCase(extension, "dll") && !EqualsIgnoreCase(extension, "exe") &&
        !EqualsIgnoreCase(extension, "lib"))
        return false;
    std::string name;
    if (!dllPath.empty() && dllPath[0] == '?') {
        // A destination macro such as ?3? stands for a directory: the name follows its last "?".
        name = dllPath.substr(dllPath.rfind('?') + 1);
        size_t start = name.find_first_not_of("\\/");
        name = start == std::string::npos ? std::string() : name.substr(start);
    } else {
        size_t slash = dllPath.find_last_of("\\/:");
        name = slash == std::string::npos ? dllPath : dllPath.substr(slash + 1);
    }
    return EqualsIgnoreCase(name, fileName);
}
