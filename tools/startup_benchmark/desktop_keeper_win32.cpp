// Keeps the Wine desktop (explorer.exe /desktop) running while the start-up benchmark starts
// and kills the measured programs one after the other: without a program of the session
// left, Wine ends the desktop process, and every launch would then start it again. Shows no
// window; prints "ready" once the desktop is up, and run.sh kills it at the end.
#include <windows.h>

#include <cstdio>

int main() {
  GetDesktopWindow();  // joins the desktop, starting its process, and waits for its window
  std::puts("ready");
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
