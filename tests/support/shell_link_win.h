// Reading a shell link (.lnk) back through IShellLinkA, for the system tests and the Wine suites'
// driver. Header only, so that the driver stays one file with no library. Win32 + COM.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

struct LinkProperties {
  bool Loaded = false;
  std::string Target, WorkingDirectory, Arguments, IconPath;
  int IconIndex = 0;
};

// Loads linkPath through IPersistFile::Load and reads its properties; Loaded is false when the
// link cannot be loaded.
inline LinkProperties ReadShellLink(const std::string& linkPath) {
  LinkProperties properties;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
      if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[1024] = "";
        properties.Loaded = true;
        if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) {
          properties.Target = text;
        }
        if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) {
          properties.WorkingDirectory = text;
        }
        if (SUCCEEDED(link->GetArguments(text, sizeof text))) properties.Arguments = text;
        if (SUCCEEDED(link->GetIconLocation(text, sizeof text, &properties.IconIndex))) {
          properties.IconPath = text;
        }
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return properties;
}
