// The progress and end texts in the shipped English words.
#include "engine/JobTexts.h"
#include "lang/IniTextFile.h"

#include <gtest/gtest.h>

namespace {

class JobTexts : public ::testing::Test {
protected:
    JobTexts() { lang::LanguageTable().LoadFile(std::string(SOURCE_DIR) + "data/Languages/English.ini"); }
    ~JobTexts() override { lang::LanguageTable() = lang::IniTextFile(); }
};

}  // namespace

TEST_F(JobTexts, TimeLeftInHoursMinutesSeconds)
{
    EXPECT_EQ(engine::TimeLeftLine(0), "Time left: 00:00:00");
    EXPECT_EQ(engine::TimeLeftLine(3725), "Time left: 01:02:05");
    EXPECT_EQ(engine::TimeLeftLine(100 * 3600 + 59), "Time left: 100:00:59");
}

TEST_F(JobTexts, RowCountNamesTheFileOrTheRunsAtOnce)
{
    const struct {
        std::size_t ended, running, rows;
        const char* line;
    } cases[] = {
        {0, 1, 5, "File 1 of 5"},
        {1, 1, 5, "File 2 of 5"},
        {4, 1, 5, "File 5 of 5"},
        {3, 2, 5, "3 of 5 done, 2 running"},
        {0, 4, 4, "0 of 4 done, 4 running"},
        {2, 0, 5, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine::RowCountLine(c.ended, c.running, c.rows), c.line) << c.ended << "/" << c.running;
    }
}

TEST_F(JobTexts, TitlePercentIsTheWholePercentDone)
{
    const struct {
        double fraction;
        const char* prefix;
    } cases[] = {
        {0.0, "0% \u2013 "},   {0.29, "29% \u2013 "}, {0.4299, "42% \u2013 "}, {0.999, "99% \u2013 "},
        {1.0, "100% \u2013 "}, {1.5, "100% \u2013 "}, {-0.1, "0% \u2013 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine::TitlePercentPrefix(c.fraction), c.prefix) << c.fraction;
    }
}

TEST_F(JobTexts, EndSentenceForEachOutcome)
{
    using engine::JobEnd;
    EXPECT_EQ(engine::JobEndSentence(JobEnd::AllConverted, 4, 0), "Finished: 4 converted.");
    EXPECT_EQ(engine::JobEndSentence(JobEnd::SomeFailed, 3, 2), "Finished: 3 converted, 2 failed.");
    EXPECT_EQ(engine::JobEndSentence(JobEnd::Stopped, 1, 0), "The job was stopped.");
    EXPECT_EQ(engine::JobEndSentence(JobEnd::OutputMade, 0, 0), "Finished: the output was made.");
    EXPECT_EQ(engine::JobEndSentence(JobEnd::Failed, 0, 3), "The job failed: nothing was made.");
}
