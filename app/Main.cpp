#include "BootwiseApp.h"

#include <windows.h>

namespace {

BootwiseApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
