// Stands in for the installed program when a suite answers Yes to the finish question: records
// the directory it was started in, and its command line, in C:\launch-probe.txt. Win32.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char directory[MAX_PATH] = "", text[1024];  // wsprintfA writes at most 1024 characters
  GetCurrentDirectoryA(MAX_PATH, directory);
  DWORD length = wsprintfA(text, "cwd=%s\ncommand=%s\n", directory, GetCommandLineA()), written;
  HANDLE file = CreateFileA("C:\\launch-probe.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  WriteFile(file, text, length, &written, nullptr);
  CloseHandle(file);
  return 0;
}
