// Stands in for the installed program when a suite answers Yes to the finish question: records
// the directory it was started in, and its command line, in C:\launch-probe.txt. Win32.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  HANDLE file = CreateFileA("C:\\launch-probe.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(file, "cwd=", 4, &written, nullptr);
  WriteFile(file, directory, lstrlenA(directory), &written, nullptr);
  WriteFile(file, "\ncommand=", 9, &written, nullptr);
  const char* command = GetCommandLineA();
  WriteFile(file, command, lstrlenA(command), &written, nullptr);
  WriteFile(file, "\n", 1, &written, nullptr);
  CloseHandle(file);
  return 0;
}
