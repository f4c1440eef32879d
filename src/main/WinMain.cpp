// The program's entry point: everything it does lives in the application object.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    (void)instance; (void)show;
    return 0;
}
