// A settings file written before the catalogue grew must open on the same
// profile with the same choices: the file names the chosen profile by its
// index and keeps each profile's choices in a section named after it.
#include "app/SettingsStore.h"
#include "profiles/ProfileCatalogue.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// The shipped profiles in the order the earlier catalogue held them.
const char* const kEarlierProfiles[] = {
    "Same as original video", "AVI - DivX/XviD Video", "MP4 - H.264 Video", "MP4 - MPEG-4 Video",
    "WMV - Windows Media Video", "ASF - Advanced Systems Format", "FLV - Flash Video", "MOV - QuickTime Video",
    "3GP - Mobile Phone Video", "3G2 - CDMA Phone Video", "MPEG-1 Video", "MPEG-2 Video", "VCD - MPEG-1 Files",
    "SVCD - MPEG-2 Files", "DVD - MPEG-2 Files", "VCD Image (BIN/CUE)", "SVCD Image (BIN/CUE)",
    "DVD Folder (VIDEO_TS)", "Apple iPod Video", "Apple iPhone and iPod touch", "Apple iPad", "Apple TV",
    "Sony PSP - H.264 Video", "Sony PSP - MPEG-4 Video", "Sony PlayStation 3", "Sony Walkman Video",
    "BlackBerry Bold", "BlackBerry Curve", "BlackBerry Storm", "Archos - DivX/XviD Video", "Archos - H.264 Video",
    "Creative Zen - WMV Video", "Creative Zen - DivX/XviD Video", "iRiver - DivX/XviD Video",
    "iRiver - MPEG-4 Video", "Nokia - 3GP Video", "Nokia - MPEG-4 Video", "Nokia - H.264 Widescreen Video",
    "Motorola - 3GP Video", "Motorola Droid", "Sony Ericsson - 3GP Video", "Sony Ericsson - MPEG-4 Video",
    "Palm Pre", "Palm Treo", "Microsoft Zune - WMV Video", "Microsoft Zune HD", "Microsoft Xbox 360",
};

class EarlierSettings : public ::testing::Test {
protected:
    app::SettingsStore Load(const std::string& text) const
    {
        const std::string path = folder_.Path() + "savedata.dll";
        std::ofstream(path) << text;
        app::SettingsStore store;
        EXPECT_EQ(profiles::LoadProfileCatalogue(store.catalogue, PROGRAM_DIR "dsp_data.dll",
                                                 folder_.Path() + "copy.bin"),
                  "");
        store.LoadSettings(path);
        return store;
    }

    testing_support::TestFolder folder_;
};

TEST_F(EarlierSettings, TheSavedIndexNamesTheSameProfile)
{
    int index = 0;
    for (const char* name : kEarlierProfiles) {
        const app::SettingsStore store = Load("[main]\r\nOutputFormat=" + std::to_string(index) + "\r\n");
        ASSERT_EQ(store.OutputFormat, index) << name;
        EXPECT_EQ(store.catalogue.Profile(index)->name, name);
        ++index;
    }
}

TEST_F(EarlierSettings, EachProfileKeepsItsOwnChoices)
{
    const app::SettingsStore store = Load("[main]\r\nOutputFormat=21\r\n"
                                          "[Apple TV]\r\nshowprofile=1\r\nvideo_quality=2\r\nvideo_size=1\r\n"
                                          "video_frame=3\r\naudio_quality=1\r\naudio_sample=1\r\n"
                                          "[Palm Treo]\r\nshowprofile=0\r\n");
    ASSERT_EQ(store.catalogue.Profile(store.OutputFormat)->name, "Apple TV");
    const profiles::ProfileChoice& appleTv = *store.catalogue.Choice(21);
    EXPECT_EQ(appleTv.video_quality, 2);
    EXPECT_EQ(appleTv.video_size, 1);
    EXPECT_EQ(appleTv.video_frame, 3);
    EXPECT_EQ(appleTv.audio_quality, 1);
    EXPECT_EQ(appleTv.audio_sample, 1);
    ASSERT_EQ(store.catalogue.Profile(43)->name, "Palm Treo");
    EXPECT_EQ(store.catalogue.Choice(43)->showprofile, 0);
}

}  // namespace
