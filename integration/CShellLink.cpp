#include "integration/CShellLink.h"

#include "integration/CRegEntry.h"

namespace {
constexpr char kShellFoldersKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}

CShellLink::CShellLink()
{
    comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
    void* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &link)))
        return;
    link_ = static_cast<IShellLinkA*>(link);
    void* file = nullptr;
    if (SUCCEEDED(link_->QueryInterface(IID_IPersistFile, &file)))
        file_ = static_cast<IPersistFile*>(file);
}

CShellLink::~CShellLink()
{
    if (file_)
        file_->Release();
    if (link_)
        link_->Release();
    if (comInitialised_)
        CoUninitialize();
}

bool CShellLink::Save(const std::string& path)
{
    if (!IsValid())
        return false;
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) == 0)
        return false;
    return SUCCEEDED(file_->Save(widePath, TRUE));
}

std::string ShellFolder(const std::string& valueName)
{
    CRegEntry folders;
    folders.Set(kShellFoldersKey, valueName, "", CRegEntry::kInternalOption, "", 0, CRegEntry::kKeyAllAccess);
    if (folders.Create() != ERROR_SUCCESS || folders.QueryValue() != ERROR_SUCCESS)
        return std::string();
    std::string folder = folders.data;
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}
