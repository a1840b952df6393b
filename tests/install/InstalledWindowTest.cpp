// The installed window runs from a read-only prefix and keeps what it
// writes in the user's folders.
#include "InstalledCopy.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

class InstalledWindow : public install_test::InstalledCopy {};

TEST_F(InstalledWindow, StartsFromReadOnlyDataAndSavesSettingsInTheConfigFolder)
{
    const std::string appName = UseOwnAppName();
    ASSERT_EQ(Run({"chmod", "-R", "a-w", Prefix() + "share"}).exitCode, 0);
    const std::string config = folder_.Path() + "config/";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const Snapshot before = TakeSnapshot();

    const std::string shot = folder_.Path() + "window.png";
    const install_test::ProgramRun run = Run({Prefix() + "bin/diziv", "--screenshot", shot});

    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto [width, height] = install_test::PngSize(shot);
    EXPECT_GT(width, 400);
    EXPECT_GT(height, 300);
    // Written when the window closed: the main section and one section per profile.
    const std::string settings = folder_.Read("config/" + appName + "/savedata.dll");
    EXPECT_NE(settings.find("[main]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("OutputFormat="), std::string::npos) << settings;
    EXPECT_EQ(ChangesSince(before), std::vector<std::string>{}) << "the program wrote into its install prefix";
}
