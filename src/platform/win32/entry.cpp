// The program's entry point: everything happens in StartUp.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return qm::StartUp(); }
