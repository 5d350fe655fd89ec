#include <windows.h>

#include "app/CSetupApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    CSetupApp app;
    return app.Run(instance, commandLine);
}
