// A stand-in for the product's program: a main window with the product's icon and name, enough
// for its shortcuts to start something real.
#include "product/StandInWindow.h"

namespace {
constexpr int kIconId = 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    return RunStandInWindow(instance, {"KalmoraMain", "Kalmora 4.0", "Kalmora 4.0",
                                       LoadIconA(instance, MAKEINTRESOURCEA(kIconId)), 480, 320}, show);
}
