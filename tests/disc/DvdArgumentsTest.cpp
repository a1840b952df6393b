#include "disc/DvdAuthoring.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using testing_support::TestFolder;
namespace fs = std::filesystem;

namespace {

disc::DiscJob Job(const std::string& workingFolder)
{
    disc::DiscJob job;
    job.profileShortName = "dvdimg";
    job.workingFolder = workingFolder;
    job.recordName = "Diziv_Video_Converter";
    return job;
}

disc::DvdTitleSettings Settings(int tvType, const std::string& aspect, int dvdChapter)
{
    disc::DvdTitleSettings settings;
    settings.tvType = tvType;
    settings.aspectEntry = aspect;
    settings.width = 720;
    settings.height = tvType == 0 ? 480 : 576;
    settings.audioCodecEntry = "AC3";
    settings.dvdChapter = dvdChapter;
    return settings;
}

void MakeVobs(const TestFolder& folder, int count)
{
    for (int n = 1; n <= count; ++n)
        folder.Write("work/00" + std::to_string(n) + ".vob", "");
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(DvdTitleArguments, TheWholeLineForOneFile)
{
    TestFolder folder;
    MakeVobs(folder, 1);
    auto text = disc::BuildDvdTitleArguments(Job(folder.Path() + "work/"), Settings(0, "16:9 (Wide TV)", 0), "/out/My Disc");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, (engine::Arguments{"-sfm", "Diziv_Video_Converter", "-o", "/out/My Disc", "-v",
                                        "ntsc+720x480+16:9", "-a", "ac3+en", "-f", folder.Path() + "work/001.vob"}));
}

TEST(DvdTitleArguments, EveryFileGetsTheChapterListOfTheSetting)
{
    TestFolder folder;
    MakeVobs(folder, 3);
    const struct {
        int dvdChapter;
        const char* list;  // "" for no -c at all
    } cases[] = {
        {0, ""},
        {1, "0,600,1200,1800,2400,3000,3600,4200,4800,5400,6000,6600,7200,7800,8400,9000,9600,10200,10800"},
        {2, "0,900,1800,2700,3600,4500,5400,6300,7200,8100,9000,9900,10800"},
        {3, "0,1200,2400,3600,4800,6000,7200,8400,9600,10800,12000,13200"},
        {4, "0,1800,3600,5400,7200,9000,10800,12600,14400"},
        {-1, "0,600,1200,1800,2400,3000,3600,4200,4800,5400,6000,6600,7200,7800,8400,9000,9600,10200,10800"},
    };
    for (const auto& c : cases) {
        auto arguments = disc::BuildDvdTitleArguments(Job(folder.Path() + "work/"),
                                                      Settings(1, "4:3 (Standard)", c.dvdChapter), "/o");
        ASSERT_TRUE(arguments.has_value());
        const std::string text = engine::CommandText(*arguments);
        EXPECT_EQ(Count(text, " -c "), std::string(c.list).empty() ? 0u : 3u) << c.dvdChapter;
        std::string files;
        for (int n = 1; n <= 3; ++n) {
            if (*c.list)
                files += std::string(" -c ") + c.list;
            files += " -f " + folder.Path() + "work/00" + std::to_string(n) + ".vob";
        }
        EXPECT_TRUE(text.ends_with(" -v pal+720x576+4:3 -a ac3+en" + files)) << text;
    }
}

TEST(DvdTitleArguments, AspectTextTvSystemAndNoFiles)
{
    EXPECT_EQ(disc::AspectText("16:9 (Wide TV)"), "16:9 ");
    EXPECT_EQ(disc::AspectText("4:3(Standard)"), "4:3");
    EXPECT_EQ(disc::AspectText("Auto"), "");
    EXPECT_EQ(disc::TvSystemWord(2), "pal");

    TestFolder folder;
    folder.Write("work/002.vob", "a gap before it ends the set");
    auto text = disc::BuildDvdTitleArguments(Job(folder.Path() + "work/"), Settings(1, "Auto", 1), "/o");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(engine::CommandText(*text), " -sfm Diziv_Video_Converter -o /o -v pal+720x576+ -a ac3+en");
}

TEST(DvdTitleArguments, ALineOverTheLimitIsRefusedNotCut)
{
    TestFolder folder;
    MakeVobs(folder, 9);
    for (int n = 10; n <= 80; ++n)
        folder.Write("work/0" + std::to_string(n) + ".vob", "");
    auto job = Job(folder.Path() + "work/");
    auto withoutChapters = disc::BuildDvdTitleArguments(job, Settings(1, "4:3 (x)", 0), "/o");
    ASSERT_TRUE(withoutChapters.has_value()) << "80 files fit without chapter lists";
    EXPECT_EQ(Count(engine::CommandText(*withoutChapters), " -f "), 80u);
    EXPECT_FALSE(disc::BuildDvdTitleArguments(job, Settings(1, "4:3 (x)", 1), "/o").has_value())
        << "with the 10-minute list they do not";
}

TEST(SumVobMegabytes, AddsTheNumberedFilesAndTruncates)
{
    TestFolder folder;
    for (int n = 1; n <= 3; ++n) {
        std::string path = folder.Make("work/00" + std::to_string(n) + ".vob");
        std::ofstream(path).close();
        fs::resize_file(path, 700 * 1024);
    }
    std::ofstream(folder.Make("work/005.vob")).close();
    fs::resize_file(folder.Path() + "work/005.vob", 5 << 20);
    EXPECT_EQ(disc::SumVobMegabytes(folder.Path() + "work/"), 2) << "2100 KiB; 005 is past the gap";
}
