// Benchmark of the registry work of Setup: 1,000 "Registry" entries applied to new keys (logged)
// and 200 shared DLL counts raised (logged), against the bare calls that do the same work in the
// same run: one RegCreateKeyEx of the full path, RegSetValueEx, RegCloseKey, and the same log
// lines written with WritePrivateProfileString. Prints both, their parts and the ratio. The keys,
// values and logs are removed again.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "integration/CRegEntryList.h"
#include "integration/CSharedDllEntry.h"
#include "integration/SharedDllCount.h"
#include "LoggedRun.h"
#include "ScratchRegistry.h"

namespace {
constexpr int kEntries = 1000;
constexpr int kSharedDlls = 200;
constexpr double kGoal = 1.5;
const char kScratch[] = "Software\\KalmoraBench";
const char kCountKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string TempPath(const char* name)
{
    char directory[MAX_PATH] = {};
    GetTempPathA(sizeof directory, directory);
    std::string path = std::string(directory) + name;
    DeleteFileA(path.c_str());
    return path;
}

std::string Numbered(const char* prefix, int n)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s%04d", prefix, n);
    return text;
}

std::string DllPath(const char* side, int n)
{
    return std::string("C:\\KALMORA\\") + side + "\\" + Numbered("kmbench", n) + ".dll";
}

double OurEntries(const std::string& log)
{
    CRegEntryList list;
    for (int n = 0; n < kEntries; ++n) {
        auto entry = std::make_unique<CRegEntry>();
        entry->Set("HKEY_CURRENT_USER\\Software\\KalmoraBench\\Ours\\" + Numbered("K", n), "Path",
                   "C:\\KALMORA\\" + Numbered("part", n), "0");
        list.Append(std::move(entry));
    }
    list.SelectByOption("2");
    double start = Now();
    ApplySelectedLogged(list, log);
    return Now() - start;
}

double BareEntries(const std::string& log)
{
    double start = Now();
    for (const char* parent : {"Software\\KalmoraBench", "Software\\KalmoraBench\\Bare"})
        WritePrivateProfileStringA("Registry", (std::string("HKEY_CURRENT_USER\\") + parent).c_str(), "x", log.c_str());
    for (int n = 0; n < kEntries; ++n) {
        std::string subkey = std::string(kScratch) + "\\Bare\\" + Numbered("K", n);
        std::string data = "C:\\KALMORA\\" + Numbered("part", n);
        HKEY key = nullptr;
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
        RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
        RegCloseKey(key);
        WritePrivateProfileStringA("Registry", ("HKEY_CURRENT_USER\\" + subkey).c_str(), "x", log.c_str());
    }
    return Now() - start;
}

double OurSharedDlls(const std::string& log)
{
    CSharedDllList list;
    for (int n = 0; n < kSharedDlls; ++n) {
        auto entry = std::make_unique<CSharedDllEntry>();
        entry->Set(entry->countKeyPath, DllPath("ours", n), SharedDllCount::DataText(1), "1");
        list.Append(std::move(entry));
    }
    list.SelectByOption("1");
    double start = Now();
    IncrementCountsLogged(list, log);
    return Now() - start;
}

double BareSharedDlls(const std::string& log)
{
    double start = Now();
    for (int n = 0; n < kSharedDlls; ++n) {
        std::string dll = DllPath("bare", n);
        HKEY key = nullptr;
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCountKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
        DWORD count = 0, type = 0, size = sizeof count;
        if (RegQueryValueExA(key, dll.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS)
            count = 0;
        ++count;
        RegSetValueExA(key, dll.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
        RegCloseKey(key);
        WritePrivateProfileStringA("SharedDll", dll.c_str(), SharedDllCount::DataText(count).c_str(), log.c_str());
    }
    return Now() - start;
}

void RemoveCounts()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCountKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (int n = 0; n < kSharedDlls; ++n)
        for (const char* side : {"ours", "bare"})
            RegDeleteValueA(key, DllPath(side, n).c_str());
    RegCloseKey(key);
}

double LogWrites(const std::string& log, const char* section, int lines)
{
    double start = Now();
    for (int n = 0; n < lines; ++n)
        WritePrivateProfileStringA(section, Numbered("HKEY_CURRENT_USER\\Software\\KalmoraLogOnly\\K", n).c_str(), "x",
                                   log.c_str());
    return Now() - start;
}

void Report(const char* what, double ours, double bare, double logOnly)
{
    std::printf("%-34s ours %8.1f ms   bare calls %8.1f ms   (log writes alone %7.1f ms)   ratio %.2f\n", what,
                ours * 1000, bare * 1000, logOnly * 1000, ours / bare);
}
}  // namespace

int main()
{
    DeleteKeyTree(HKEY_CURRENT_USER, kScratch);
    RemoveCounts();
    const std::string ourLog = TempPath("kmbench-ours.log");
    const std::string bareLog = TempPath("kmbench-bare.log");
    const std::string onlyLog = TempPath("kmbench-logonly.log");

    // Alternated, so that a slow spell of the machine touches both sides alike.
    double bareEntries = BareEntries(bareLog);
    double ourEntries = OurEntries(ourLog);
    double logEntries = LogWrites(onlyLog, "Registry", kEntries + 2);
    double ourDlls = OurSharedDlls(ourLog);
    double bareDlls = BareSharedDlls(bareLog);
    double logDlls = LogWrites(onlyLog, "SharedDll", kSharedDlls);

    std::printf("registry work under Wine: %d new keys with a value each, logged; %d shared DLL counts, logged\n",
                kEntries, kSharedDlls);
    Report("registry entries (ApplySelected)", ourEntries, bareEntries, logEntries);
    Report("shared DLLs (IncrementCounts)", ourDlls, bareDlls, logDlls);
    Report("both", ourEntries + ourDlls, bareEntries + bareDlls, logEntries + logDlls);
    std::printf("goal: ours at most %.1f times the bare calls plus the log writes\n", kGoal);

    DeleteKeyTree(HKEY_CURRENT_USER, kScratch);
    RemoveCounts();
    for (const std::string* log : {&ourLog, &bareLog, &onlyLog})
        DeleteFileA(log->c_str());
    return 0;
}
