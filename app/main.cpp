#include <windows.h>

#include <exception>

#include "app/Application.h"
#include "toolkit/Window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    quillmere::Application application;
    return application.Run();
  } catch (const std::exception& error) {
    quillmere::win32::ShowErrorBox(error.what());
    return 1;
  }
}
