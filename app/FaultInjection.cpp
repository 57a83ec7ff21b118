#include "app/FaultInjection.h"

#include "colour/Text.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

// COLOURPICKER_FAULT names the failure:
//   create-window:N  the Nth window the program creates is refused;
//   text:N           the Nth text allocation finds no memory.
namespace {

long failAt = 0;
long count = 0;

LRESULT CALLBACK RefuseNthWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ++count == failAt)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void* FailNthText(std::size_t bytes)
{
    return ++count == failAt ? nullptr : std::malloc(bytes);
}

} // namespace

void InstallInjectedFaults()
{
    const char* fault = std::getenv("COLOURPICKER_FAULT");
    if (!fault)
        return;
    const char* colon = std::strchr(fault, ':');
    if (!colon)
        return;
    failAt = std::strtol(colon + 1, nullptr, 10);
    if (std::strncmp(fault, "create-window:", 14) == 0)
        SetWindowsHookExW(WH_CBT, &RefuseNthWindow, nullptr, GetCurrentThreadId());
    else if (std::strncmp(fault, "text:", 5) == 0)
        SetTextAllocator(&FailNthText);
}
