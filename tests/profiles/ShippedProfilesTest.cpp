// Checks the profile set the build ships (dsp_data.dll in the program
// directory): what other parts of the program rely on, and that
// engine-options.md lists exactly the engine options its commands use.
#include "lang/IniTextFile.h"
#include "profiles/DeviceCategory.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileMarkers.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using profiles::OutputProfile;

namespace {

const profiles::ProfileCatalogue& Shipped()
{
    static const profiles::ProfileCatalogue catalogue = [] {
        testing_support::TestFolder folder;
        profiles::ProfileCatalogue loaded;
        EXPECT_EQ(profiles::LoadProfileCatalogue(loaded, PROGRAM_DIR "dsp_data.dll", folder.Path() + "copy.bin"),
                  "");
        return loaded;
    }();
    return catalogue;
}

// Runs check on every shipped profile, naming the profile in failures.
void ForEachProfile(const std::function<void(const OutputProfile&)>& check)
{
    for (int slot = 0; slot < Shipped().Count(); ++slot) {
        SCOPED_TRACE(Shipped().Profile(slot)->name);
        check(*Shipped().Profile(slot));
    }
}

// The one device category the short name names, or -1.
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

std::vector<std::string> Entries(const auto& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.At(i));
    return entries;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// (option, sub-option, value) as written in a template or in engine-options.md.
using OptionUse = std::tuple<std::string, std::string, std::string>;

// The values a list placeholder can take in this profile; other words stand for themselves.
std::vector<std::string> PlaceholderValues(const OutputProfile& profile, const std::string& word)
{
    std::vector<std::string> values;
    if (word == "__video_codec__" || word == "__audio_codec__") {
        for (std::string entry : Entries(word == "__video_codec__" ? profile.video_codec : profile.audio_codec)) {
            for (char& c : entry)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            values.push_back(entry == "wmv8" ? "wmv2" : entry);
        }
    } else if (word == "__audio_sample__") {
        for (const std::string& entry : Entries(profile.audio_sample))
            values.push_back(entry.substr(0, 5));
    } else if (word == "__video_aspect__") {
        for (const std::string& entry : Entries(profile.video_aspect))
            if (entry.find("4:3") != std::string::npos)
                values.push_back("4/3");
            else if (entry.find("16:9") != std::string::npos)
                values.push_back("16/9");
    } else {
        values.push_back(word);
    }
    return values;
}

bool IsOption(const std::string& word)
{
    return word.size() > 1 && word[0] == '-' && std::isalpha(static_cast<unsigned char>(word[1]));
}

void CollectOptionUses(const OutputProfile& profile, const std::string& command, std::set<OptionUse>& uses)
{
    std::vector<std::string> words = Split(command, ' ');
    std::erase(words, "__output_format__");
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& option = words[i];
        ASSERT_TRUE(IsOption(option)) << "stray word " << option << " in: " << command;
        const std::string value = i + 1 < words.size() && !IsOption(words[i + 1]) ? words[++i] : "";
        const char separator = option == "-vf" || option == "-af" ? ',' : option.ends_with("opts") ? ':' : '\0';
        if (separator == '\0') {
            for (const std::string& v : PlaceholderValues(profile, value))
                uses.insert({option, "", v});
            continue;
        }
        for (const std::string& item : Split(value, separator)) {
            const std::size_t equals = item.find('=');
            const std::string itemValue = equals == std::string::npos ? "" : item.substr(equals + 1);
            for (const std::string& v : PlaceholderValues(profile, itemValue))
                uses.insert({option, item.substr(0, equals), v});
        }
    }
}

// Table rows of engine-options.md: | `option` | `sub-option` | `value` `value` ... |
// The rows under the "Accepted, not yet used by a template" heading go to ahead.
std::set<OptionUse> DocumentedOptionUses(std::set<OptionUse>& ahead)
{
    std::ifstream in(SOURCE_DIR "data/engine-options.md");
    EXPECT_TRUE(in.is_open());
    std::set<OptionUse> documented;
    std::set<OptionUse>* target = &documented;
    const std::regex row(R"(^\| `(-[^`]*)` \| (?:`([^`]*)`)? *\|(.*)\|$)"), code("`([^`]*)`");
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("## "))
            target = line == "## Accepted, not yet used by a template" ? &ahead : &documented;
        if (!std::regex_match(line, match, row))
            continue;
        const std::string values = match[3];
        std::sregex_iterator value(values.begin(), values.end(), code), end;
        if (value == end)
            target->insert({match[1], match[2], ""});
        for (; value != end; ++value)
            target->insert({match[1], match[2], (*value)[1]});
    }
    return documented;
}

}  // namespace

// Settings files store the chosen profile by its slot: new profiles are
// appended, so every slot of an earlier release names the same profile.
TEST(ShippedProfiles, EarlierSlotsKeepTheirProfiles)
{
    const std::vector<std::string> earlier = {
        "generic-original", "generic-avi", "generic-mp4-h264", "generic-mp4", "generic-wmv", "generic-asf",
        "generic-flv", "generic-mov", "generic-3gp", "generic-3g2", "generic-mpeg1", "generic-mpeg2", "disc-vcd",
        "disc-svcd", "disc-dvd", "disc-vcdimg", "disc-svcdimg", "disc-dvdimg", "apple-ipod", "apple-iphone",
        "apple-ipad", "apple-tv", "sony-psp-h264", "sony-psp-mpeg4", "sony-ps3", "sony-walkman", "blackberry-bold",
        "blackberry-curve", "blackberry-storm", "archos-avi", "archos-mp4", "creative-zen-wmv", "creative-zen-avi",
        "iriver-pmp-avi", "iriver-mp4", "nokia-3gp", "nokia-mp4", "nokia-h264", "motorola-3gp", "motorola-droid",
        "sonyericsson-3gp", "sonyericsson-mp4", "palm-pre", "palm-treo", "microsoft-zune", "microsoft-zunehd",
        "microsoft-xbox360"};
    ASSERT_GT(Shipped().Count(), static_cast<int>(earlier.size()));
    for (std::size_t slot = 0; slot < earlier.size(); ++slot)
        EXPECT_EQ(Shipped().Profile(static_cast<int>(slot))->profile_shortname, earlier[slot]) << "slot " << slot;
}

TEST(ShippedProfiles, KindsAgreeWithCategoriesAndExtensions)
{
    EXPECT_TRUE(profiles::IsOriginal(*Shipped().Profile(0)));
    const int discCategory = 1;
    std::set<int> used;
    ForEachProfile([&](const OutputProfile& profile) {
        const int category = CategoryIndex(profile);
        ASSERT_GE(category, 0) << profile.profile_shortname << " must hold exactly one category prefix";
        used.insert(category);
        EXPECT_EQ(profiles::IsOriginal(profile), &profile == Shipped().Profile(0));
        const bool disc = profiles::IsDisc(profile);
        EXPECT_EQ(disc, category == discCategory) << "only disc profiles say vcd or dvd";
        EXPECT_EQ(profiles::IsAvi(profile), profile.file_extname == ".avi");
        EXPECT_TRUE(disc || !profiles::IsDiscImage(profile));
        EXPECT_TRUE(!profiles::IsDvdImage(profile) || profile.file_extname == ".vob");
        EXPECT_TRUE(!profiles::IsVcdImage(profile) || profile.file_extname == ".mpg");
        if (profiles::IsAvi(profile)) {
            EXPECT_EQ(Entries(profile.video_codec), (std::vector<std::string>{"DivX", "XviD"}));
            EXPECT_NE(profile.command1.find("-ffourcc DX50"), std::string::npos);
            EXPECT_NE(profile.command2.find("-ffourcc XVID"), std::string::npos);
        } else if (!disc) {
            EXPECT_EQ(profile.command2, "") << "only avi and disc profiles have a second command";
        }
        if (profiles::IsSoundOnly(profile)) {
            const std::set<std::string> soundContainers{".mp3", ".m4a", ".flac", ".opus"};
            EXPECT_TRUE(soundContainers.count(profile.file_extname)) << profile.file_extname;
            // FLAC frames number themselves from the start of their file, so
            // FLAC parts are joined by encoding them again, losslessly.
            const std::string joinSound = profile.file_extname == ".flac" ? "lavc -lavcopts acodec=flac" : "copy";
            EXPECT_TRUE(profile.joincmd.starts_with("-novideo -oac " + joinSound + " ")) << profile.joincmd;
            for (const char* pictureOption : {"-ovc", "-vf", "-ofps", "__video_"})
                EXPECT_EQ(profile.command1.find(pictureOption), std::string::npos) << pictureOption;
        }
    });
    EXPECT_EQ(used.size(), profiles::DeviceCategories().size()) << "every category offers profiles";
}

// The window shows the entries and the commands use the numbers beside
// them; disc commands pick size and rate by TV type (command1 NTSC,
// command2 PAL).
TEST(ShippedProfiles, ListEntriesPairWithTheirNumbers)
{
    const std::set<std::string> h263Sizes{"128x96", "176x144", "352x288"};
    const std::set<std::string> mpegRates{"23.976", "24", "25", "29.97", "30", "50", "59.94", "60"};
    ForEachProfile([&](const OutputProfile& profile) {
        const bool original = profiles::IsOriginal(profile);
        const bool soundOnly = profiles::IsSoundOnly(profile);
        const std::vector<std::string> codecs = Entries(profile.video_codec);
        const bool h263 = std::find(codecs.begin(), codecs.end(), "H263") != codecs.end();
        const bool mpeg = !codecs.empty() && (codecs[0] == "MPEG1VIDEO" || codecs[0] == "MPEG2VIDEO");

        ASSERT_GT(profile.video_quality.Count(), 0);
        for (int i = 0; i < profile.video_quality.Count(); ++i)
            EXPECT_TRUE(original || soundOnly || profile.video_bitrate.At(i) > 0) << profile.video_quality.At(i);
        for (int i = 0; i < profile.video_size.Count(); ++i) {
            const std::string& entry = profile.video_size.At(i);
            const int width = profile.video_width.At(i), height = profile.video_height.At(i);
            if (entry == "Original" || entry == "Custom...") {
                const int slotAndNumbers = entry == "Original" ? 0 : 1;
                EXPECT_EQ(i, slotAndNumbers) << entry;
                EXPECT_EQ(width, slotAndNumbers) << entry;
                EXPECT_EQ(height, slotAndNumbers) << entry;
                EXPECT_FALSE(h263) << "H.263 takes fixed sizes only";
                continue;
            }
            EXPECT_EQ(entry, std::to_string(width) + "x" + std::to_string(height));
            EXPECT_TRUE(width >= 16 && height >= 16 && width % 2 == 0 && height % 2 == 0) << entry;
            EXPECT_TRUE(!h263 || h263Sizes.count(entry)) << entry << " is no H.263 size";
        }
        for (int i = 0; i < profile.video_frame.Count(); ++i) {
            const std::string& entry = profile.video_frame.At(i);
            if (i == 0 && (entry == "Original" || entry == "Auto"))
                continue;
            EXPECT_GT(std::atof(entry.c_str()), 1.0) << entry;
            EXPECT_TRUE(!mpeg || mpegRates.count(entry)) << entry << " is no MPEG frame rate";
        }
        EXPECT_FALSE(mpeg && !original && profile.video_frame.At(0) == "Original");
        for (int i = 0; i < profile.video_aspect.Count(); ++i) {
            const std::string& entry = profile.video_aspect.At(i);
            EXPECT_TRUE(entry == "Auto" || entry == "Original" ? i == 0
                                                               : entry.find("4:3") != std::string::npos ||
                                                                     entry.find("16:9") != std::string::npos)
                << entry;
        }
        // A lossless codec takes no bit rate and names its one entry freely.
        const bool audioRated = profile.command1.find("__audio_bitrate__") != std::string::npos;
        for (int i = 0; i < profile.audio_quality.Count() && !original && audioRated; ++i)
            EXPECT_EQ(profile.audio_quality.At(i), std::to_string(profile.audio_bitrate.At(i)) + " kbps");
        EXPECT_TRUE(audioRated || original || profile.audio_quality.Count() == 1);
        for (const std::string& rate : Entries(profile.audio_sample))
            EXPECT_GE(std::atoi(rate.c_str()), 8000) << rate;

        if (!profiles::IsDisc(profile))
            return;
        EXPECT_EQ(Entries(profile.video_tvtype), (std::vector<std::string>{"NTSC", "PAL"}));
        EXPECT_EQ(profile.video_quality.Count(), 4) << "one row per capacity table row";
        for (int k = 0; k < 2; ++k) {
            const std::string& command = k == 0 ? profile.command1 : profile.command2;
            const std::string rate = profile.video_frame.At(k) == "29.97" ? "30000/1001" : profile.video_frame.At(k);
            EXPECT_NE(command.find("scale=" + std::to_string(profile.video_width.At(k)) + ":" +
                                   std::to_string(profile.video_height.At(k)) + ","),
                      std::string::npos) << command;
            EXPECT_NE(command.find("-ofps " + rate + " "), std::string::npos) << command;
        }
        for (const std::string& aspect : Entries(profile.video_aspect))
            EXPECT_NE(aspect.find(" ("), std::string::npos) << "the DVD tool takes the text before the bracket";
    });
}

TEST(ShippedProfiles, QualityLabelsAreInEveryLanguage)
{
    for (const auto& file : std::filesystem::directory_iterator(SOURCE_DIR "data/Languages")) {
        SCOPED_TRACE(file.path().filename().string());
        lang::IniTextFile language;
        ASSERT_TRUE(language.LoadFile(file.path().string()));
        ForEachProfile([&](const OutputProfile& profile) {
            for (const auto& labels : {Entries(profile.video_quality), Entries(profile.audio_quality)})
                for (const std::string& label : labels)
                    EXPECT_NE(language.GetValue("MainDialog", label), "") << label;
        });
    }
}

// The commands fit their fields, end with the container options and use
// exactly the options the document lists; join commands are used as they are.
TEST(ShippedProfiles, CommandsUseExactlyTheDocumentedOptions)
{
    std::set<OptionUse> used;
    ForEachProfile([&](const OutputProfile& profile) {
        EXPECT_LT(profile.command1.size(), OutputProfile::kCommandLength);
        EXPECT_LT(profile.command2.size(), OutputProfile::kCommandLength);
        EXPECT_LT(profile.joincmd.size(), OutputProfile::kJoinCommandLength);
        EXPECT_FALSE(profile.command1.empty());
        EXPECT_FALSE(profile.joincmd.empty());
        EXPECT_EQ(profile.joincmd.find("__"), std::string::npos);
        // The container options come last: the placeholder, or written out
        // where the muxer takes more than its name.
        const std::regex containerAtEnd(R"(.* (__output_format__|-of lavf -lavfopts format=[a-z0-9]+(:[a-z]+)*)$)");
        for (const std::string* command : {&profile.command1, &profile.command2})
            EXPECT_TRUE(command->empty() || std::regex_match(*command, containerAtEnd)) << *command;
        for (const std::string* command : {&profile.command1, &profile.command2, &profile.joincmd})
            CollectOptionUses(profile, *command, used);
    });
    std::set<OptionUse> ahead;
    const std::set<OptionUse> documented = DocumentedOptionUses(ahead);
    ASSERT_GT(documented.size(), 20u);
    ASSERT_GT(ahead.size(), 10u);
    for (const auto& [option, sub, value] : used)
        EXPECT_TRUE(documented.count({option, sub, value})) << "undocumented: " << option << " " << sub << "=" << value;
    for (const auto& [option, sub, value] : documented)
        EXPECT_TRUE(used.count({option, sub, value})) << "documented but unused: " << option << " " << sub << "=" << value;
    // A row ahead without listed values stands for every value of its sub-option.
    for (const auto& [option, sub, value] : ahead) {
        const bool usedNow = std::any_of(used.begin(), used.end(), [&](const OptionUse& use) {
            return std::get<0>(use) == option && std::get<1>(use) == sub && (value.empty() || std::get<2>(use) == value);
        });
        EXPECT_FALSE(usedNow) << "used now, move it up: " << option << " " << sub << "=" << value;
        EXPECT_FALSE(documented.count({option, sub, value})) << "listed twice: " << option << " " << sub << "=" << value;
    }
}
