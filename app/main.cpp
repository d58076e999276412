// Varnel.exe's entry point.
#include <windows.h>

#include "app/varnel_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int show_command) {
  app::TVarnelApp application;
  return application.Run(show_command);
}
