// A stand-in for the product's scheduler: one top-level window of class "KMScheduler" that Setup
// starts after installing and that Unsetup closes with WM_CLOSE before removing the files.
#include "product/StandInWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    return RunStandInWindow(instance, {"KMScheduler", "Kalmora Scheduler", "Kalmora Scheduler: no reminders due.",
                                       nullptr, 360, 120}, show);
}
