#pragma once
// The product's self-registering COM servers and its scheduler: Setup registers the servers
// after the other integration steps and then starts the scheduler; Unsetup unregisters them
// before it removes the files.
#include <windows.h>

#include <string>

#include "profile/CDestinationStore.h"

class CSelfRegDll {
public:
    // Loads the DLL. One that cannot be loaded is named in a message box, unless quiet (an
    // unattended run). A path that is not a file's full path (its destination has no directory)
    // is neither handed to the loader, which would search the system's directories for the bare
    // name, nor reported.
    CSelfRegDll(const std::string& path, bool quiet);
    ~CSelfRegDll();
    CSelfRegDll(const CSelfRegDll&) = delete;
    CSelfRegDll& operator=(const CSelfRegDll&) = delete;

    // 1 when the DLL's DllRegisterServer returned S_OK; 0 when it is not loaded, lacks the entry
    // point (both silently) or failed (with a message box unless quiet).
    int Register();
    // 1 when DllUnregisterServer returned S_OK, else 0; never a message.
    int Unregister();

private:
    HMODULE module_ = nullptr;
    std::string path_;
    bool quiet_;
};

// Setup: asfltr, imfltr and imgservr in turn, stopping at the first failure; then proxy, first
// unregistered and then registered. 1 when proxy was registered, else 0.
int RegisterDlls(const CDestinationStore& destinations, bool quiet);
// Whether any of the four servers' files is there: a product shipped without them has none to
// register, and lacks nothing.
bool AnyServerInstalled(const CDestinationStore& destinations);
// Unsetup: proxy, imgservr, asfltr and imfltr in turn, stopping at the first failure. 1 when all
// four were unregistered, else 0.
int UnregisterDlls(const CDestinationStore& destinations, bool quiet);
// Starts "kmsched.exe" of destination 0 (quoted on Windows NT, so that blanks in the path work).
void StartScheduler(const CDestinationStore& destinations, bool isNT);
