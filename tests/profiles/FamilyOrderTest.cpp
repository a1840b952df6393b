// The order the profile lists show a catalogue in; the shipped catalogue is
// followed through the main window in FormatControlsTest.
#include "profiles/FamilyOrder.h"
#include "profiles/ProfileCatalogue.h"

#include <gtest/gtest.h>

namespace {

profiles::ProfileCatalogue CatalogueOf(const std::vector<std::string>& shortNames)
{
    profiles::ProfileCatalogue catalogue;
    for (const std::string& shortName : shortNames) {
        profiles::OutputProfile profile;
        profile.profile_shortname = shortName;
        EXPECT_TRUE(catalogue.Add(profile));
    }
    return catalogue;
}

}  // namespace

TEST(FamilyOrder, FamiliesInTableOrderSlotsInOrderWithinThem)
{
    const struct {
        std::vector<std::string> shortNames;
        std::vector<int> order;
        const char* what;
    } cases[] = {
        {{"generic-a", "disc-a", "apple-a"}, {0, 1, 2}, "a file in family order keeps it"},
        {{"generic-a", "apple-a", "microsoft-a", "generic-b", "disc-a", "android-a", "apple-b"},
         {0, 3, 4, 1, 6, 2, 5},
         "appended profiles join their families"},
        {{"unknown", "web-a", "tvplayer-a", "generic-a"}, {3, 1, 2, 0}, "no family comes last"},
        {{"apple-a", "disc-generic-a"}, {1, 0}, "several families: the first in the table"},
        {{}, {}, "an empty catalogue"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profiles::SlotsInFamilyOrder(CatalogueOf(c.shortNames)), c.order) << c.what;
    }
}
