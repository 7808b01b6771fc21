// Holds a file open in a process of its own, as a browser holds its cache files:
// readers and writers may share it, a deletion may not. With "exclusive" nothing
// may share it, as a running Chromium holds its cookie store.
//   file_holder PATH READY RELEASE [exclusive]
// Opens PATH, sets the event READY, waits (a minute at most) for the event RELEASE,
// then closes the file. Exit code 0, or 1 when the file or an event did not open.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) return 1;
  const DWORD sharing = argc == 5 ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
  if (!ready || !release) return 1;
  const HANDLE file = CreateFileA(argv[1], GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  SetEvent(ready);
  if (file == INVALID_HANDLE_VALUE) return 1;
  WaitForSingleObject(release, 60000);
  CloseHandle(file);
  return 0;
}
