// The install path read from the per-user registry file.
#include "platform/Registry.h"

#include "platform/MessageBox.h"
#include "support/TestFolder.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The registry stand-in is found through the environment; the test points it at its own folder
// and puts everything program-wide back afterwards.
class RegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char const* old = std::getenv("XDG_CONFIG_HOME");
        hadOld = old != nullptr;
        saved = old ? old : "";
        setenv("XDG_CONFIG_HOME", dir.path.c_str(), 1);
        MessageBox::SetRecordOnly(true);
    }
    void TearDown() override
    {
        hadOld ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
        MessageBox::ClearRecorded();
        MessageBox::SetRecordOnly(false);
        std::free(installPath);
        installPath = nullptr;
    }

    TestFolder dir{false};
    bool hadOld = false;
    std::string saved;
};

TEST_F(RegistryTest, FindsTheInstallPathOrSaysItIsMissing)
{
    MessageBox::ClearRecorded();
    std::filesystem::create_directories(dir / "hollowmere");
    auto writeRegistry = [this](char const* text) { std::ofstream(dir / "hollowmere/registry") << text; };

    HM_FindInstallPath();
    EXPECT_EQ(nullptr, installPath);
    ASSERT_EQ(1u, MessageBox::Recorded().size());
    EXPECT_EQ("Install Path", MessageBox::Recorded()[0].caption);
    EXPECT_EQ("Hollowmere registry entry missing", MessageBox::Recorded()[0].text);

    // The value under another key, or another value under the key, does not count.
    writeRegistry("[Software\\Velmora\\Other]\nInstallPath=/elsewhere\n[Software\\Velmora\\Hollowmere]\nPath=/x\n");
    HM_FindInstallPath();
    EXPECT_EQ(nullptr, installPath);
    EXPECT_EQ(2u, MessageBox::Recorded().size());

    writeRegistry("[Software\\Velmora\\Other]\r\nInstallPath=/elsewhere\r\n"
                  "[software\\velmora\\hollowmere]\r\ninstallpath=/opt/hollow mere\r\n");
    HM_FindInstallPath();
    ASSERT_NE(nullptr, installPath);
    EXPECT_STREQ("/opt/hollow mere", installPath);
    EXPECT_EQ(2u, MessageBox::Recorded().size());

    // The entry at the start of a file past any settings file's size is missing: a sparse terabyte
    // was once read as one line until memory ran out.
    std::filesystem::resize_file(dir / "hollowmere/registry", DataFile_RegistryLimit + 1);
    std::free(installPath);
    installPath = nullptr;
    HM_FindInstallPath();
    EXPECT_EQ(nullptr, installPath);
    EXPECT_EQ(3u, MessageBox::Recorded().size());
}
