// What `cmake --install` lays out, and whether the desktop finds it.
#include "InstalledCopy.h"

#include <filesystem>
#include <regex>

#include <unistd.h>

namespace fs = std::filesystem;
using install_test::InstalledCopy;
using install_test::ProgramRun;
using testing_support::FileNames;

namespace {

const std::string kAppId = APP_ID;

// The first match group of pattern in text, or "".
std::string Find(const std::string& text, const char* pattern)
{
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : "";
}

}  // namespace

class InstallLayout : public InstalledCopy {};

TEST_F(InstallLayout, ExecutablesToolsAndDataLieInTheirFolders)
{
    EXPECT_EQ(FileNames(Prefix() + "bin"), (std::vector<std::string>{"diziv", "diziv-cli"}));
    EXPECT_EQ(FileNames(Prefix() + "libexec/diziv"), (std::vector<std::string>{"avm", "dvdimage", "savm", "vcdimage"}));
    for (const char* program : {"bin/diziv", "bin/diziv-cli", "libexec/diziv/avm", "libexec/diziv/savm",
                                "libexec/diziv/dvdimage", "libexec/diziv/vcdimage"})
        EXPECT_EQ(::access((Prefix() + program).c_str(), X_OK), 0) << program;
    for (const char* data : {"app.ini", "dsp_data.dll", "TarvoIcons.ini", "BrixIcons.ini", "Languages/English.ini",
                             "Languages/German.ini", "Help/Overview/Overview.htm"})
        EXPECT_TRUE(fs::is_regular_file(Prefix() + "share/diziv/" + data)) << data;
}

// The links keep their absolute targets, which the package's font
// dependencies provide.
TEST_F(InstallLayout, EverySubtitleFontLinkLeadsToAFont)
{
    const std::string fonts = Prefix() + "share/diziv/system/fonts/";
    ASSERT_FALSE(FileNames(fonts).empty());
    for (const std::string& name : FileNames(fonts)) {
        EXPECT_TRUE(fs::is_symlink(fonts + name)) << name;
        EXPECT_TRUE(fs::is_regular_file(fonts + name)) << name << " -> " << fs::read_symlink(fonts + name);
    }
}

TEST_F(InstallLayout, IconsComeInTheirSizes)
{
    const std::string icons = Prefix() + "share/icons/hicolor/";
    EXPECT_TRUE(fs::is_regular_file(icons + "scalable/apps/" + kAppId + ".svg"));
    for (int size : {48, 256}) {
        const std::string png = icons + std::to_string(size) + "x" + std::to_string(size) + "/apps/" + kAppId + ".png";
        EXPECT_EQ(install_test::PngSize(png), std::make_pair(size, size)) << png;
    }
}

// The menu entry starts the installed window with its icon, and the
// AppStream data launches that entry; both pass their validators.
TEST_F(InstallLayout, DesktopEntryAndAppStreamDataAgreeAndValidate)
{
    const std::string desktop = "share/applications/" + kAppId + ".desktop";
    const std::string metainfo = "share/metainfo/" + kAppId + ".metainfo.xml";
    const ProgramRun desktopCheck = Run({"desktop-file-validate", Prefix() + desktop});
    EXPECT_EQ(desktopCheck.exitCode, 0) << desktopCheck.output;
    EXPECT_EQ(desktopCheck.output, "");
    const ProgramRun metainfoCheck = Run({"appstreamcli", "validate", "--no-net", Prefix() + metainfo});
    EXPECT_EQ(metainfoCheck.exitCode, 0) << metainfoCheck.output;

    const std::string entry = folder_.Read("root/usr/" + desktop);
    EXPECT_EQ(Find(entry, R"(\nExec=(\S+) %F\n)"), "diziv");
    EXPECT_EQ(Find(entry, R"(\nIcon=(\S+)\n)"), kAppId);
    EXPECT_NE(Find(entry, R"(\nMimeType=(.*video/mp4;.*)\n)"), "");
    const std::string component = folder_.Read("root/usr/" + metainfo);
    EXPECT_EQ(Find(component, R"(<launchable type="desktop-id">([^<]+)</launchable>)"), kAppId + ".desktop");
    EXPECT_EQ(Find(component, R"(<id>([^<]+)</id>)"), kAppId);
}
