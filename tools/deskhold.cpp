// deskhold: keeps the Wine desktop of a test session open.
//
// Wine closes a desktop (and ends the explorer.exe that draws it) about a
// second after the last program on it has gone, and starts it again for the
// next program.  The explorer a program starts inherits that program's
// standard handles, so a test runner reading the program's output waits for
// the explorer to end as well.  The session starts this program first, with
// its output going nowhere: the desktop and its explorer then live as long as
// the session, and each test program ends when it ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();  // connects this process to the desktop
    Sleep(INFINITE);     // until the session's wineserver is stopped
    return 0;
}
