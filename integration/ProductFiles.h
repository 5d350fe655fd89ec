#pragma once
// The product's files that the installer itself names, all in destination 0.
namespace ProductFiles {
constexpr char kUninstaller[] = "unsetup.exe";        // the installed copy of Setup, run with /U
constexpr char kScheduler[] = "kmsched.exe";          // started after installing, closed before removing
constexpr char kSchedulerWindowClass[] = "KMScheduler";
}
