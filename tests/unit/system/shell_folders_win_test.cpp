// LookupShellFolders ends when every value read fails alike. The user's hive is replaced, for this
// process, by a test key whose shell-folders key lets nobody read it: it opens, but each read is
// refused. A lookup that ran on would spin for good, so it runs in a thread with a deadline.
#include <gtest/gtest.h>

#include "system/shell_folders.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

const char kHive[] = "Software\\KpxShellFoldersTest";

// A security descriptor whose list grants everyone only the setting of values (or, with
// readable, nothing is denied: a null list).
void SetReadable(HKEY key, bool readable) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  alignas(DWORD) char aclBytes[128];
  PACL acl = reinterpret_cast<PACL>(aclBytes);
  InitializeAcl(acl, sizeof aclBytes, ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone);
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, readable ? nullptr : acl, FALSE);
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd));
  FreeSid(everyone);
}

DWORD WINAPI Lookup(void* folders) {
  LookupShellFolders(*static_cast<ShellFolders*>(folders));
  return 0;
}

TEST(LookupShellFolders, EndsWhenEveryReadIsRefused) {
  HKEY hive, folders;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kHive, &hive));
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(hive, SHELL_FOLDERS_KEY, &folders));
  RegSetValueExA(folders, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\P"), 5);
  SetReadable(folders, false);
  ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, hive));

  ShellFolders found;
  HANDLE thread = CreateThread(nullptr, 0, Lookup, &found, 0, nullptr);
  const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  if (!ended) TerminateThread(thread, 1);
  CloseHandle(thread);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  SetReadable(folders, true);
  RegCloseKey(folders);
  RegCloseKey(hive);
  RegDeleteTreeA(HKEY_CURRENT_USER, kHive);
  RegDeleteKeyA(HKEY_CURRENT_USER, kHive);

  ASSERT_TRUE(ended);
  EXPECT_EQ(0, found.ProgramsFound);
  EXPECT_EQ(0, found.DesktopFound);
}

}  // namespace
