#include "app/Application.h"
#include "app/FaultInjection.h"
#include "colour/FatalFailure.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    InstallInjectedFaults();
    if (!LoadStartupWindow())
        FatalFailure("The main window could not be created.");
    return RunMessageLoop();
}
