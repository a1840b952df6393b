#include "authoring/HelperRun.h"
#include "dvdimage/DvdauthorProgress.h"
#include "vcdimage/VcdxbuildProgress.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Expected {
    const char* line;
    int stage;  // 0: no progress in the line
    int value;
};

void Check(const std::function<std::optional<authoring::HelperProgress>(const std::string&)>& parse,
           std::initializer_list<Expected> cases)
{
    for (const Expected& c : cases) {
        auto progress = parse(c.line);
        if (c.stage == 0) {
            EXPECT_FALSE(progress.has_value()) << c.line;
            continue;
        }
        ASSERT_TRUE(progress.has_value()) << c.line;
        EXPECT_EQ(progress->stage, c.stage) << c.line;
        EXPECT_EQ(progress->value, c.value) << c.line;
    }
}

}  // namespace

// Real dvdauthor and vcdxbuild output reaches the stages in the disc media
// tests; here the values and the lines that look alike.
TEST(HelperOutput, DvdauthorAndVcdxbuildLines)
{
    Check(dvdimage::ParseDvdauthorLine, {
        {"STAT: VOBU 16 at 1MB, 1 PGCs", 1, 1},
        {"STAT: fixing VOBU at 0MB (1/34,  3%)", 2, 3},
        {"STAT: fixed 34 VOBUs                         ", 2, 100},
        {"STAT: VOBU 16 at 99999999999MB, 1 PGCs", 0, 0},
        {"ERR:  no video format specified for VMGM", 0, 0},
    });
    Check(vcdimage::ParseVcdxbuildLine, {
        {"#scan[seq_0_movie]: 4648/343952 (1%)          ", 3, 1},
        {"#write[3/3]: 1196/1046 (114%)", 4, 100},
        {"#scan[x]: 1/2", 0, 0},
    });
}
