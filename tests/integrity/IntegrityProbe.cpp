// tests/integrity/IntegrityProbe.cpp: a program built like the installer that only checks its own file.
// Exits 0 when its file matches its stamp and 1 when not, so a test can run damaged copies.
#include <windows.h>
#include "ProgramIntegrity.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return IsProgramFileIntact() ? 0 : 1;
}
