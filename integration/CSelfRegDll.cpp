#include "integration/CSelfRegDll.h"

#include <array>
#include <memory>

#include "framework/ProcAddress.h"
#include "framework/RunReport.h"
#include "framework/Win32Helpers.h"
#include "integration/ProductFiles.h"
#include "transfer/paths/CFilePath.h"

namespace {
struct ServerDll {
    const char* fileName;
    int destination;
};
// In the order in which they are loaded.
const ServerDll kServers[] = {{"asfltr.dll", 6}, {"imfltr.dll", 7}, {"imgservr.dll", 5}, {"proxy.dll", 5}};
enum { kAsfltr, kImfltr, kImgservr, kProxy };

using Servers = std::array<std::unique_ptr<CSelfRegDll>, 4>;

// All four, in their order; each is freed when the result goes.
Servers LoadServers(const CDestinationStore& destinations, bool quiet)
{
    Servers servers;
    for (std::size_t i = 0; i < servers.size(); ++i)
        servers[i] = std::make_unique<CSelfRegDll>(
            destinations.GetDirectory(kServers[i].destination) + kServers[i].fileName, quiet);
    return servers;
}

int CallEntryPoint(HMODULE module, const char* name)
{
    auto entryPoint = FindWinApiFunction<HRESULT>(module, name);
    if (!entryPoint)
        return -1;
    return entryPoint() == S_OK ? 1 : 0;
}
}

CSelfRegDll::CSelfRegDll(const std::string& path, bool quiet) : quiet_(quiet)
{
    // Without its destination's directory (Unsetup without a log) there is no library to speak
    // of: nothing is loaded and nothing is reported.
    if (!CFilePath::IsFileInDirectory(path))
        return;
    UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
    module_ = LoadLibraryA(path.c_str());
    SetErrorMode(previousMode);
    if (module_)
        path_ = path;
    else
        RunReport::Say("COM server " + path + ": cannot be loaded, " + SystemErrorText(GetLastError()));
    if (!module_ && !quiet_)
        MessageBoxA(nullptr, "Could not load the library!!!", path.c_str(), MB_OK);
}

CSelfRegDll::~CSelfRegDll()
{
    if (module_)
        FreeLibrary(module_);
}

int CSelfRegDll::Register()
{
    if (!module_)
        return 0;
    int result = CallEntryPoint(module_, "DllRegisterServer");
    RunReport::Say("COM server " + path_ + ": " +
                   (result == 1 ? "registered" : result == 0 ? "registration failed" : "has no DllRegisterServer"));
    if (result == 0 && !quiet_)
        MessageBoxA(nullptr, "Register failed for a library", path_.c_str(), MB_OK);
    return result == 1 ? 1 : 0;
}

int CSelfRegDll::Unregister()
{
    if (!module_)
        return 0;
    int result = CallEntryPoint(module_, "DllUnregisterServer");
    RunReport::Say("COM server " + path_ + ": " +
                   (result == 1 ? "unregistered" : result == 0 ? "unregistration failed" : "has no DllUnregisterServer"));
    return result == 1 ? 1 : 0;
}

int RegisterDlls(const CDestinationStore& destinations, bool quiet)
{
    Servers servers = LoadServers(destinations, quiet);
    for (int i : {kAsfltr, kImfltr, kImgservr})
        if (!servers[i]->Register())
            return 0;
    servers[kProxy]->Unregister();
    return servers[kProxy]->Register();
}

bool AnyServerInstalled(const CDestinationStore& destinations)
{
    for (const ServerDll& server : kServers) {
        std::string directory = destinations.GetDirectory(server.destination);
        if (!directory.empty() && CFilePath(directory + server.fileName).Exists())
            return true;
    }
    return false;
}

int UnregisterDlls(const CDestinationStore& destinations, bool quiet)
{
    Servers servers = LoadServers(destinations, quiet);
    for (int i : {kProxy, kImgservr, kAsfltr, kImfltr})
        if (!servers[i]->Unregister())
            return 0;
    return 1;
}

void StartScheduler(const CDestinationStore& destinations, bool isNT)
{
    std::string command = destinations.GetDirectory(CDestinationStore::kMain) + ProductFiles::kScheduler;
    if (isNT)
        command = "\"" + command + "\"";
    UINT result = WinExec(command.c_str(), SW_SHOWNORMAL);
    RunReport::Say("scheduler " + command + (result > 31 ? ": started" : ": not started, WinExec gave " + std::to_string(result)));
}
