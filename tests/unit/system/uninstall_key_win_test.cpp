// RegisterUninstall under Wine: the key's values read back from HKLM.
#include <gtest/gtest.h>

#include "system/uninstall_key.h"
#include "tests/unit/system/system_test_env_win.h"

namespace {

const char kTestProduct[] = "KpxTest Uninstall Product";
const std::string kKeyPath = std::string(UNINSTALL_KEY_ROOT) + kTestProduct;

class UninstallKeyTest : public ::testing::Test {
 protected:
  UninstallKeyTest() {
    Package.ProductName = kTestProduct;
    DeleteMachineKey(kKeyPath);
  }
  ~UninstallKeyTest() override { DeleteMachineKey(kKeyPath); }
  SharedStateGuard state_;
};

// An existing key keeps its other values; the two values are overwritten.
TEST_F(UninstallKeyTest, CommandQuotesTheProgramPathWithOrWithoutTrailingSeparator) {
  WriteMachineString(kKeyPath, DISPLAY_NAME_VALUE, "old name");
  WriteMachineString(kKeyPath, UNINSTALL_STRING_VALUE, "old command");
  WriteMachineString(kKeyPath, "Publisher", "someone");
  for (const char* directory :
       {"c:\\program files\\Quorvelane", "c:\\program files\\Quorvelane\\"}) {
    SCOPED_TRACE(directory);
    snprintf(::Setup.InstallDirectory, kPathSize, "%s", directory);
    ASSERT_EQ(kUninstallKeyWritten, RegisterUninstall());
    std::string name, command, publisher;
    ASSERT_TRUE(ReadMachineString(kKeyPath, DISPLAY_NAME_VALUE, name));
    ASSERT_TRUE(ReadMachineString(kKeyPath, UNINSTALL_STRING_VALUE, command));
    ASSERT_TRUE(ReadMachineString(kKeyPath, "Publisher", publisher));
    EXPECT_EQ(kTestProduct, name);
    EXPECT_EQ("\"c:\\program files\\Quorvelane\\quorvel.exe\" /uninstall", command);
    EXPECT_EQ("someone", publisher);
  }
}

}  // namespace
