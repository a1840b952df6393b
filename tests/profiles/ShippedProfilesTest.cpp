// Checks the profile set the build ships (dsp_data.dll in the program
// directory): what other parts of the program rely on, and that
// engine-options.md lists exactly the engine options its commands use.
#include "lang/IniTextFile.h"
#include "profiles/DeviceCategory.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileMarkers.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using profiles::OutputProfile;

namespace {

class ShippedProfiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing_support::TestFolder folder;
        catalogue_ = new profiles::ProfileCatalogue;
        ASSERT_EQ(profiles::LoadProfileCatalogue(*catalogue_, PROGRAM_DIR "dsp_data.dll", folder.Path() + "copy.bin"),
                  profiles::UnscrambleStatus::Done);
    }
    static void TearDownTestSuite() { delete catalogue_; }

    // Runs check on every profile, naming the profile in failures.
    template <typename Check>
    static void ForEachProfile(Check check)
    {
        for (int slot = 0; slot < catalogue_->Count(); ++slot) {
            SCOPED_TRACE(catalogue_->Profile(slot)->name);
            check(*catalogue_->Profile(slot));
        }
    }

    static profiles::ProfileCatalogue* catalogue_;
};

profiles::ProfileCatalogue* ShippedProfiles::catalogue_ = nullptr;

int CategoryIndex(const OutputProfile& profile)
{
    int found = -1, count = 0;
    const auto categories = profiles::DeviceCategories();
    for (std::size_t i = 0; i < categories.size(); ++i)
        if (profiles::InCategory(profile.profile_shortname, categories[i])) {
            found = static_cast<int>(i);
            ++count;
        }
    return count == 1 ? found : -1;
}

std::string FrameOption(const std::string& rate)
{
    return rate == "29.97" ? "-ofps 30000/1001" : "-ofps " + rate;
}

// (option, sub-option, value) as written in a template or in engine-options.md.
using OptionUse = std::tuple<std::string, std::string, std::string>;

std::vector<std::string> ListEntries(const auto& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.At(i));
    return entries;
}

// The values a list placeholder can take in this profile; other tokens stand for themselves.
std::vector<std::string> PlaceholderValues(const OutputProfile& profile, const std::string& token)
{
    std::vector<std::string> values;
    if (token == "__video_codec__" || token == "__audio_codec__") {
        for (std::string entry : ListEntries(token == "__video_codec__" ? profile.video_codec : profile.audio_codec)) {
            for (char& c : entry)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            values.push_back(entry == "wmv8" ? "wmv2" : entry);
        }
    } else if (token == "__audio_sample__") {
        for (const std::string& entry : ListEntries(profile.audio_sample))
            values.push_back(entry.substr(0, 5));
    } else if (token == "__video_aspect__") {
        for (const std::string& entry : ListEntries(profile.video_aspect))
            if (entry.find("4:3") != std::string::npos)
                values.push_back("4/3");
            else if (entry.find("16:9") != std::string::npos)
                values.push_back("16/9");
    } else {
        values.push_back(token);
    }
    return values;
}

// Options whose value is a list of sub-options, with the list separator.
char SubOptionSeparator(const std::string& option)
{
    static const std::map<std::string, char> separators{
        {"-lavcopts", ':'}, {"-x264encopts", ':'}, {"-xvidencopts", ':'}, {"-lameopts", ':'},
        {"-mpegopts", ':'}, {"-lavfopts", ':'},    {"-vf", ','},          {"-af", ','}};
    auto found = separators.find(option);
    return found == separators.end() ? '\0' : found->second;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

bool IsOption(const std::string& token)
{
    return token.size() > 1 && token[0] == '-' && std::isalpha(static_cast<unsigned char>(token[1]));
}

void CollectOptionUses(const OutputProfile& profile, const std::string& command, std::set<OptionUse>& uses)
{
    std::vector<std::string> tokens;
    for (const std::string& token : Split(command, ' '))
        if (!token.empty() && token != "__output_format__")
            tokens.push_back(token);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& option = tokens[i];
        ASSERT_TRUE(IsOption(option)) << "stray token " << option << " in: " << command;
        std::string value;
        if (i + 1 < tokens.size() && !IsOption(tokens[i + 1]))
            value = tokens[++i];
        char separator = SubOptionSeparator(option);
        if (separator == '\0') {
            for (const std::string& v : PlaceholderValues(profile, value))
                uses.insert({option, "", v});
            continue;
        }
        for (const std::string& item : Split(value, separator)) {
            std::size_t equals = item.find('=');
            std::string name = item.substr(0, equals);
            std::string itemValue = equals == std::string::npos ? "" : item.substr(equals + 1);
            for (const std::string& v : PlaceholderValues(profile, itemValue))
                uses.insert({option, name, v});
        }
    }
}

// Table rows of engine-options.md: | `option` | `sub-option` | `value` `value` ... |
std::set<OptionUse> DocumentedOptionUses()
{
    std::ifstream in(SOURCE_DIR "data/engine-options.md");
    EXPECT_TRUE(in.is_open());
    std::set<OptionUse> documented;
    const std::regex code("`([^`]*)`");
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells = Split(line, '|');
        if (cells.size() != 4 || line.find("`-") == std::string::npos)
            continue;
        auto words = [&](const std::string& cell) {
            std::vector<std::string> found;
            for (std::sregex_iterator it(cell.begin(), cell.end(), code), end; it != end; ++it)
                found.push_back((*it)[1]);
            return found;
        };
        std::vector<std::string> option = words(cells[1]), sub = words(cells[2]), values = words(cells[3]);
        if (option.size() != 1)
            continue;
        std::string subOption = sub.empty() ? "" : sub[0];
        if (values.empty())
            values.push_back("");
        for (const std::string& value : values)
            documented.insert({option[0], subOption, value});
    }
    return documented;
}

}  // namespace

TEST_F(ShippedProfiles, AreGroupedByCategoryInTableOrder)
{
    ASSERT_GE(catalogue_->Count(), 45);
    ASSERT_LE(catalogue_->Count(), profiles::ProfileCatalogue::kMaxProfiles);
    EXPECT_EQ(catalogue_->Profile(0)->name, "Same as original video");
    EXPECT_TRUE(profiles::IsOriginal(*catalogue_->Profile(0)));

    std::set<int> used;
    int previous = 0;
    ForEachProfile([&](const OutputProfile& profile) {
        int category = CategoryIndex(profile);
        ASSERT_GE(category, 0) << profile.profile_shortname << " must hold exactly one category prefix";
        EXPECT_GE(category, previous) << "profiles are grouped in category order";
        previous = category;
        used.insert(category);
        EXPECT_EQ(profiles::IsOriginal(profile), &profile == catalogue_->Profile(0));
    });
    EXPECT_EQ(used.size(), profiles::DeviceCategories().size()) << "every category offers profiles";
}

// The markers steer the program; each must be there on purpose.
TEST_F(ShippedProfiles, MarkersMatchWhatTheProfilesAre)
{
    const int discCategory = 1;
    ForEachProfile([&](const OutputProfile& profile) {
        const bool disc = profiles::IsDisc(profile);
        EXPECT_EQ(disc, CategoryIndex(profile) == discCategory) << "only disc profiles say vcd or dvd";
        EXPECT_EQ(profiles::IsAvi(profile), profile.file_extname == ".avi");
        EXPECT_TRUE(disc || !profiles::IsDiscImage(profile));
        EXPECT_TRUE(!profiles::IsDvdImage(profile) || profile.file_extname == ".vob");
        EXPECT_TRUE(!profiles::IsVcdImage(profile) || profile.file_extname == ".mpg");
        EXPECT_FALSE(profile.command1.empty());
        EXPECT_FALSE(profile.joincmd.empty());
        if (profiles::IsAvi(profile)) {
            EXPECT_EQ(ListEntries(profile.video_codec), (std::vector<std::string>{"DivX", "XviD"}));
            EXPECT_NE(profile.command1.find("-ffourcc DX50"), std::string::npos);
            EXPECT_NE(profile.command2.find("-ffourcc XVID"), std::string::npos);
        } else if (!disc) {
            EXPECT_EQ(profile.command2, "") << "only avi and disc profiles have a second command";
        }
    });
}

// Disc commands pick size and rate by TV type (command1 NTSC, command2 PAL),
// matching the entries the window shows for that TV type.
TEST_F(ShippedProfiles, DiscListsPairWithTheTvType)
{
    ForEachProfile([&](const OutputProfile& profile) {
        if (!profiles::IsDisc(profile))
            return;
        EXPECT_EQ(ListEntries(profile.video_tvtype), (std::vector<std::string>{"NTSC", "PAL"}));
        EXPECT_EQ(profile.video_size.Count(), 2);
        EXPECT_EQ(profile.video_frame.Count(), 2);
        EXPECT_EQ(profile.video_quality.Count(), 4) << "one row per capacity table row";
        const std::string* commands[] = {&profile.command1, &profile.command2};
        for (int k = 0; k < 2; ++k) {
            std::string size = std::to_string(profile.video_width.At(k)) + ":" + std::to_string(profile.video_height.At(k));
            EXPECT_NE(commands[k]->find("scale=" + size + ","), std::string::npos) << *commands[k];
            EXPECT_NE(commands[k]->find(FrameOption(profile.video_frame.At(k)) + " "), std::string::npos) << *commands[k];
        }
        for (const std::string& aspect : ListEntries(profile.video_aspect))
            EXPECT_NE(aspect.find(" ("), std::string::npos) << "the DVD tool takes the text before the bracket";
    });
}

TEST_F(ShippedProfiles, ListEntriesPairWithTheirNumbers)
{
    const std::set<std::string> h263Sizes{"128x96", "176x144", "352x288"};
    const std::set<std::string> mpegRates{"23.976", "24", "25", "29.97", "30", "50", "59.94", "60"};
    ForEachProfile([&](const OutputProfile& profile) {
        const bool original = profiles::IsOriginal(profile);
        const std::vector<std::string> codecs = ListEntries(profile.video_codec);
        const bool h263 = std::find(codecs.begin(), codecs.end(), "H263") != codecs.end();
        const bool mpeg = !codecs.empty() && (codecs[0] == "MPEG1VIDEO" || codecs[0] == "MPEG2VIDEO");

        ASSERT_GT(profile.video_quality.Count(), 0);
        for (int i = 0; i < profile.video_quality.Count(); ++i)
            EXPECT_TRUE(original || profile.video_bitrate.At(i) > 0) << profile.video_quality.At(i);
        EXPECT_EQ(profile.video_bitrate.At(profile.video_quality.Count()), 0) << "no bitrate without its entry";

        ASSERT_GT(profile.video_size.Count(), 0);
        for (int i = 0; i < profile.video_size.Count(); ++i) {
            const std::string& entry = profile.video_size.At(i);
            int width = profile.video_width.At(i), height = profile.video_height.At(i);
            if (entry == "Original") {
                EXPECT_EQ(i, 0);
                EXPECT_EQ(width + height, 0);
                EXPECT_FALSE(h263) << "H.263 takes fixed sizes only";
            } else if (entry == "Custom...") {
                EXPECT_EQ(i, 1);
                EXPECT_EQ(width * height, 1);
                EXPECT_FALSE(h263) << "H.263 takes fixed sizes only";
            } else {
                EXPECT_EQ(entry, std::to_string(width) + "x" + std::to_string(height));
                EXPECT_TRUE(width >= 16 && height >= 16 && width % 2 == 0 && height % 2 == 0) << entry;
                EXPECT_TRUE(!h263 || h263Sizes.count(entry)) << entry << " is no H.263 size";
            }
        }

        for (int i = 0; i < profile.video_frame.Count(); ++i) {
            const std::string& entry = profile.video_frame.At(i);
            if (i == 0 && (entry == "Original" || entry == "Auto"))
                continue;
            EXPECT_GT(std::atof(entry.c_str()), 1.0) << entry;
            EXPECT_TRUE(!mpeg || mpegRates.count(entry)) << entry << " is no MPEG frame rate";
        }
        EXPECT_FALSE(mpeg && !original && ListEntries(profile.video_frame).front() == "Original");

        for (int i = 0; i < profile.video_aspect.Count(); ++i) {
            const std::string& entry = profile.video_aspect.At(i);
            bool keep = entry == "Auto" || entry == "Original";
            EXPECT_TRUE(keep ? i == 0 : entry.find("4:3") != std::string::npos || entry.find("16:9") != std::string::npos)
                << entry;
        }

        ASSERT_GT(profile.audio_quality.Count(), 0);
        for (int i = 0; i < profile.audio_quality.Count() && !original; ++i)
            EXPECT_EQ(profile.audio_quality.At(i), std::to_string(profile.audio_bitrate.At(i)) + " kbps");
        for (const std::string& rate : ListEntries(profile.audio_sample))
            EXPECT_GE(std::atoi(rate.c_str()), 8000) << rate;
    });
}

TEST_F(ShippedProfiles, QualityLabelsAreInEveryLanguage)
{
    for (const auto& entry : std::filesystem::directory_iterator(SOURCE_DIR "data/Languages")) {
        SCOPED_TRACE(entry.path().filename().string());
        lang::IniTextFile language;
        ASSERT_TRUE(language.LoadFile(entry.path().string()));
        ForEachProfile([&](const OutputProfile& profile) {
            for (const std::string& label : ListEntries(profile.video_quality))
                EXPECT_NE(language.GetValue("MainDialog", label), "") << label;
            for (const std::string& label : ListEntries(profile.audio_quality))
                EXPECT_NE(language.GetValue("MainDialog", label), "") << label;
        });
    }
}

TEST_F(ShippedProfiles, CommandsUseOnlyKnownPlaceholdersAndFitTheirFields)
{
    const std::regex placeholder("__[a-z_]+__");
    const std::set<std::string> known{"__video_codec__", "__video_bitrate__", "__audio_bitrate__", "__vqscale__",
                                      "__audio_codec__", "__audio_sample__",  "__volume__",        "__video_aspect__",
                                      "__video_frame__", "__video_size__",    "__output_format__"};
    ForEachProfile([&](const OutputProfile& profile) {
        EXPECT_LT(profile.command1.size(), OutputProfile::kCommandLength);
        EXPECT_LT(profile.command2.size(), OutputProfile::kCommandLength);
        EXPECT_LT(profile.joincmd.size(), OutputProfile::kJoinCommandLength);
        for (const std::string* command : {&profile.command1, &profile.command2}) {
            if (command->empty())
                continue;
            EXPECT_NE(command->find("__output_format__"), std::string::npos);
            for (std::sregex_iterator it(command->begin(), command->end(), placeholder), end; it != end; ++it)
                EXPECT_TRUE(known.count(it->str())) << it->str();
        }
        EXPECT_EQ(profile.joincmd.find("__"), std::string::npos) << "join commands are used unchanged";
    });
}

TEST_F(ShippedProfiles, EngineOptionsListIsExact)
{
    std::set<OptionUse> used;
    ForEachProfile([&](const OutputProfile& profile) {
        for (const std::string* command : {&profile.command1, &profile.command2, &profile.joincmd})
            CollectOptionUses(profile, *command, used);
    });
    const std::set<OptionUse> documented = DocumentedOptionUses();
    for (const auto& [option, sub, value] : used)
        EXPECT_TRUE(documented.count({option, sub, value})) << "undocumented: " << option << " " << sub << "=" << value;
    for (const auto& [option, sub, value] : documented)
        EXPECT_TRUE(used.count({option, sub, value})) << "documented but unused: " << option << " " << sub << "=" << value;
}
