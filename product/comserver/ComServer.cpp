// A stand-in for one of the product's in-process COM servers. It registers itself as a real
// server would (HKEY_CLASSES_ROOT\CLSID\{id} with its description, and InprocServer32 naming this
// DLL's path with its threading model) and removes that again; it makes no objects.
#include <windows.h>
#include <olectl.h>

#include <string>

namespace {
HINSTANCE module = nullptr;

std::string ClassKey()
{
    return std::string("CLSID\\") + SERVER_CLSID;
}

LONG SetDefault(HKEY parent, const std::string& subkey, const std::string& text, HKEY* created = nullptr)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(parent, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    if (created && status == ERROR_SUCCESS)
        *created = key;
    else
        RegCloseKey(key);
    return status;
}
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        module = instance;
    return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    char path[MAX_PATH] = {};
    if (!GetModuleFileNameA(module, path, sizeof path))
        return SELFREG_E_CLASS;
    if (SetDefault(HKEY_CLASSES_ROOT, ClassKey(), SERVER_DESCRIPTION) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    HKEY server = nullptr;
    if (SetDefault(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32", path, &server) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    const char model[] = "Apartment";
    LONG status = RegSetValueExA(server, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof model);
    RegCloseKey(server);
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    HKEY classKey = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ClassKey().c_str(), 0, KEY_ALL_ACCESS, &classKey) != ERROR_SUCCESS)
        return S_OK;  // nothing of ours is registered
    RegDeleteKeyA(classKey, "InprocServer32");
    RegCloseKey(classKey);
    return RegDeleteKeyA(HKEY_CLASSES_ROOT, ClassKey().c_str()) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* object)
{
    if (object)
        *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return S_OK;
}
