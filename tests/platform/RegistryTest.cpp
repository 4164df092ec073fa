// The install path read from the per-user registry file.
#include "platform/Registry.h"

#include "platform/MessageBox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

class RegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/hm_registry_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir = pattern;
        char const* old = std::getenv("XDG_CONFIG_HOME");
        hadConfig = old != nullptr;
        oldConfig = old ? old : "";
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        MessageBox::SetRecordOnly(true);
        MessageBox::ClearRecorded();
        std::free(installPath);
        installPath = nullptr;
    }

    void TearDown() override
    {
        if (hadConfig)
            setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir);
        MessageBox::ClearRecorded();
        std::free(installPath);
        installPath = nullptr;
    }

    void WriteRegistry(std::string const& text)
    {
        std::filesystem::create_directories(dir + "/hollowmere");
        std::ofstream(dir + "/hollowmere/registry") << text;
    }

    std::string dir;
    std::string oldConfig;
    bool hadConfig = false;
};

} // namespace

TEST_F(RegistryTest, MissingEntryShowsOneBoxAndLeavesThePathUnset)
{
    HM_FindInstallPath();
    EXPECT_EQ(nullptr, installPath);
    ASSERT_EQ(1u, MessageBox::Recorded().size());
    EXPECT_EQ("Install Path", MessageBox::Recorded()[0].caption);
    EXPECT_EQ("Hollowmere registry entry missing", MessageBox::Recorded()[0].text);

    // The value under another key does not count.
    WriteRegistry("[Software\\Velmora\\Other]\nInstallPath=/elsewhere\n[Software\\Velmora\\Hollowmere]\nPath=/x\n");
    HM_FindInstallPath();
    EXPECT_EQ(nullptr, installPath);
    EXPECT_EQ(2u, MessageBox::Recorded().size());
}

TEST_F(RegistryTest, FindsTheValueUnderItsKey)
{
    WriteRegistry("[Software\\Velmora\\Other]\r\nInstallPath=/elsewhere\r\n"
                  "[software\\velmora\\hollowmere]\r\ninstallpath=/opt/hollow mere\r\n");
    HM_FindInstallPath();
    ASSERT_NE(nullptr, installPath);
    EXPECT_STREQ("/opt/hollow mere", installPath);
    EXPECT_TRUE(MessageBox::Recorded().empty());
}
