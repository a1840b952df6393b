// The shipped names are checked against what the profiles are in
// ShippedProfilesTest; here the rules of reading a name.
#include "profiles/ProfileKind.h"
#include "profiles/ProfileMarkers.h"

#include <gtest/gtest.h>

TEST(ProfileKind, CaseSensitiveSubstringsAnywhereThatCombine)
{
    using K = profiles::ProfileKind;
    const std::pair<const char*, K> cases[] = {
        {"generic-Original", {}},
        {"DISC-DVD", {}},
        {"navigator", {.avi = true}},
        {"dvd-original", {.original = true, .disc = true}},
        {"generic-img", {.discImage = true}},
        {"svcdimg", {.disc = true, .discImage = true, .svcdImage = true, .vcdImage = true}},
        {"dvdimg-vcdimg", {.disc = true, .discImage = true, .dvdImage = true, .vcdImage = true}},
    };
    for (const auto& [shortName, kind] : cases)
        EXPECT_EQ(profiles::ParseProfileKind(shortName), kind) << shortName;
}

TEST(ProfileKind, OnlyOriginalOutputBesideDiscsKeepsTheVolume)
{
    profiles::OutputProfile profile;
    profile.kind = profiles::ParseProfileKind("generic-original");
    EXPECT_TRUE(profiles::KeepsOriginalVolume(profile));
    profile.kind = profiles::ParseProfileKind("dvd-original");
    EXPECT_FALSE(profiles::KeepsOriginalVolume(profile));
    profile.kind = profiles::ParseProfileKind("generic-avi");
    EXPECT_FALSE(profiles::KeepsOriginalVolume(profile));
}
