// The program's entry point: everything it does lives in the application object.
#include <windows.h>

#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    return RunKelvara(instance, commandLine, show);
}
