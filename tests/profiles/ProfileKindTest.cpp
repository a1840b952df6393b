#include "profiles/ProfileKind.h"

#include "ini/PrivateProfile.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileMarkers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

enum Flag : unsigned {
    kOriginal = 1,
    kAvi = 2,
    kDisc = 4,
    kImage = 8,
    kDvdImage = 16,
    kSvcdImage = 32,
    kVcdImage = 64,
};

profiles::ProfileKind KindOf(unsigned flags)
{
    return {(flags & kOriginal) != 0, (flags & kAvi) != 0,       (flags & kDisc) != 0,     (flags & kImage) != 0,
            (flags & kDvdImage) != 0, (flags & kSvcdImage) != 0, (flags & kVcdImage) != 0};
}

constexpr unsigned kVcdFolder = kDisc | kImage | kVcdImage;

// Every short name data/profiles.ini ships.
const std::map<std::string, unsigned> kShipped = {
    {"generic-original", kOriginal},
    {"generic-avi", kAvi},
    {"generic-mp4-h264", 0},
    {"generic-mp4", 0},
    {"generic-wmv", 0},
    {"generic-asf", 0},
    {"generic-flv", 0},
    {"generic-mov", 0},
    {"generic-3gp", 0},
    {"generic-3g2", 0},
    {"generic-mpeg1", 0},
    {"generic-mpeg2", 0},
    {"disc-vcd", kDisc},
    {"disc-svcd", kDisc},
    {"disc-dvd", kDisc},
    {"disc-vcdimg", kVcdFolder},
    {"disc-svcdimg", kVcdFolder | kSvcdImage},
    {"disc-dvdimg", kDisc | kImage | kDvdImage},
    {"apple-ipod", 0},
    {"apple-iphone", 0},
    {"apple-ipad", 0},
    {"apple-tv", 0},
    {"sony-psp-h264", 0},
    {"sony-psp-mpeg4", 0},
    {"sony-ps3", 0},
    {"sony-walkman", 0},
    {"blackberry-bold", 0},
    {"blackberry-curve", 0},
    {"blackberry-storm", 0},
    {"archos-avi", kAvi},
    {"archos-mp4", 0},
    {"creative-zen-wmv", 0},
    {"creative-zen-avi", kAvi},
    {"iriver-pmp-avi", kAvi},
    {"iriver-mp4", 0},
    {"nokia-3gp", 0},
    {"nokia-mp4", 0},
    {"nokia-h264", 0},
    {"motorola-3gp", 0},
    {"motorola-droid", 0},
    {"sonyericsson-3gp", 0},
    {"sonyericsson-mp4", 0},
    {"palm-pre", 0},
    {"palm-treo", 0},
    {"microsoft-zune", 0},
    {"microsoft-zunehd", 0},
    {"microsoft-xbox360", 0},
};

}  // namespace

// The markers are case-sensitive substrings anywhere in the name, and
// combine freely.
TEST(ProfileKind, ReadFromSubstringsOfTheShortName)
{
    struct Case {
        std::string shortName;
        unsigned flags;
    };
    std::vector<Case> cases = {
        {"", 0},
        {"generic-Original", 0},
        {"DISC-DVD", 0},
        {"navigator", kAvi},
        {"original-avi", kOriginal | kAvi},
        {"dvd-original", kOriginal | kDisc},
        {"generic-img", kImage},
        {"vcd-img", kDisc | kImage},
        {"svcdimg", kVcdFolder | kSvcdImage},
        {"dvdimg-vcdimg", kVcdFolder | kDvdImage},
    };
    for (const auto& [shortName, flags] : kShipped)
        cases.push_back({shortName, flags});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortName);
        EXPECT_EQ(profiles::ParseProfileKind(c.shortName), KindOf(c.flags));
        profiles::OutputProfile profile;
        profile.kind = KindOf(c.flags);
        EXPECT_EQ(profiles::KeepsOriginalVolume(profile), (c.flags & (kOriginal | kDisc)) == kOriginal);
    }
}

TEST(ProfileKind, KeptForEveryShippedProfileAsItIsRead)
{
    const ini::PrivateProfile data(SOURCE_DIR "data/profiles.ini");
    std::size_t read = 0;
    for (const std::string& section : data.SectionNames()) {
        const profiles::OutputProfile profile = profiles::ReadOutputProfile(data, section);
        SCOPED_TRACE(profile.profile_shortname);
        const auto known = kShipped.find(profile.profile_shortname);
        ASSERT_NE(known, kShipped.end()) << "a shipped short name the table above lacks";
        EXPECT_EQ(profile.kind, KindOf(known->second));
        ++read;
    }
    EXPECT_EQ(read, kShipped.size());
}
