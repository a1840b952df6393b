// The time-left estimate against jobs played through on a simulated clock:
// rows run one or two at once, each at a steady number of media seconds
// per wall second, and report their progress as the engine does, every
// 200 ms. The estimate must come close to the time the simulation then
// really takes, from the moment the last row that ends early has ended
// (before, nobody can know that its rest will not be done).
#include "engine/JobPace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t kStepMs = 100;
constexpr std::uint64_t kReportMs = 200;

struct Job {
    std::string name;
    std::vector<double> rowSeconds;
    std::size_t slots;                    // rows running at once
    double speed;                         // media seconds per wall second of one run
    std::map<std::size_t, double> stops;  // rows that end early, at this share (0 = refused at once)
};

struct Sample {
    std::uint64_t ms;
    std::optional<std::uint64_t> secondsLeft;
    double processedShare;  // processed media of what then counts
};

struct Played {
    std::vector<Sample> samples;
    std::uint64_t endMs = 0;
    std::uint64_t lastEarlyEndMs = 0;
};

// Plays job through: a free slot takes the next row; a row stopping at
// share 0 ends the moment it is taken.
Played Play(const Job& job)
{
    engine::JobPace pace;
    pace.Begin(job.rowSeconds, 0);
    const std::size_t rows = job.rowSeconds.size();
    std::vector<double> done(rows, 0.0);
    std::vector<bool> ended(rows, false);
    std::vector<std::size_t> running;
    std::size_t next = 0;
    Played played;
    auto stopShare = [&job](std::size_t row) {
        const auto found = job.stops.find(row);
        return found == job.stops.end() ? 1.0 : found->second;
    };
    std::uint64_t now = 0;
    auto end = [&](std::size_t row) {
        ended[row] = true;
        pace.RowEnded(row);
        if (stopShare(row) < 1.0) {
            played.lastEarlyEndMs = now;
        }
    };
    for (;; now += kStepMs) {
        for (auto it = running.begin(); it != running.end();) {
            const std::size_t row = *it;
            done[row] = std::min(done[row] + job.speed * kStepMs / 1000.0, job.rowSeconds[row] * stopShare(row));
            if (done[row] >= job.rowSeconds[row] * stopShare(row)) {
                end(row);
                it = running.erase(it);
            } else {
                ++it;
            }
        }
        while (running.size() < job.slots && next < rows) {
            const std::size_t row = next++;
            if (stopShare(row) == 0.0) {
                end(row);
                continue;
            }
            pace.SetRowFraction(row, 0.0);
            running.push_back(row);
        }
        if (running.empty() && next == rows) {
            played.endMs = now;
            break;
        }
        if (now % kReportMs == 0) {
            for (std::size_t row : running)
                pace.SetRowFraction(row, done[row] / job.rowSeconds[row]);
        }
        double processed = 0;
        double counted = 0;
        for (std::size_t row = 0; row < rows; ++row) {
            processed += done[row];
            counted += ended[row] ? done[row] : job.rowSeconds[row];
        }
        played.samples.push_back({now, pace.SecondsLeft(now), processed / counted});
    }
    return played;
}

}  // namespace

TEST(JobPace, EstimateIsCloseOnceShownAndNotShownEarly)
{
    const Job jobs[] = {
        {"equal rows one at a time", {30, 30, 30, 30}, 1, 3.0, {}},
        {"unequal rows one at a time", {10, 60, 25, 45}, 1, 2.0, {}},
        {"equal rows two at once", {30, 30, 30, 30}, 2, 3.0, {}},
        {"unequal rows two at once", {20, 40, 40, 20}, 2, 2.0, {}},
        {"first row refused", {60, 40, 40, 40}, 1, 2.0, {{0, 0.0}}},
        {"middle row refused, two at once", {40, 40, 40, 40, 40}, 2, 2.0, {{2, 0.0}}},
        {"row failing half-way", {40, 40, 40}, 1, 2.0, {{1, 0.5}}},
        {"slow job: 2 % after 3 s", {300, 300}, 1, 0.5, {}},
    };
    for (const Job& job : jobs) {
        SCOPED_TRACE(job.name);
        const Played played = Play(job);
        std::optional<std::uint64_t> firstShownMs;
        std::optional<std::uint64_t> twoPercentMs;
        for (const Sample& sample : played.samples) {
            if (!twoPercentMs && sample.processedShare >= 0.02) {
                twoPercentMs = sample.ms;
            }
            if (!sample.secondsLeft) {
                EXPECT_FALSE(firstShownMs) << "estimate withdrawn at " << sample.ms << " ms";
                continue;
            }
            if (!firstShownMs) {
                firstShownMs = sample.ms;
            }
            if (sample.ms < played.lastEarlyEndMs) {
                continue;
            }
            const double trueLeft = static_cast<double>(played.endMs - sample.ms) / 1000.0;
            // Besides the 10 %: whole seconds rounded up, and the last
            // progress report up to 200 ms old.
            EXPECT_NEAR(static_cast<double>(*sample.secondsLeft), trueLeft, 0.1 * trueLeft + 1.5)
                << "at " << sample.ms << " ms";
        }
        ASSERT_TRUE(firstShownMs);
        ASSERT_TRUE(twoPercentMs);
        const std::uint64_t dueMs = std::max<std::uint64_t>(3000, *twoPercentMs);
        EXPECT_GE(*firstShownMs, dueMs);
        EXPECT_LE(*firstShownMs, dueMs + kReportMs + kStepMs);
    }
}

TEST(JobPace, ShowsNothingBeforeThreeSecondsAndTwoPercent)
{
    const struct {
        std::uint64_t ms;
        double fraction;
        std::optional<std::uint64_t> secondsLeft;
    } cases[] = {
        {2999, 0.5, std::nullopt},
        {3000, 0.5, 3},
        {60000, 0.019, std::nullopt},
        {60000, 0.02, 2940},
        {10000, 0.0, std::nullopt},
        {10000, 1.0, 0},
        {7000, 0.3, 17},  // 16.3 s, rounded up
    };
    for (const auto& c : cases) {
        engine::JobPace pace;
        pace.Begin({100}, 5000);
        pace.SetRowFraction(0, c.fraction);
        EXPECT_EQ(pace.SecondsLeft(5000 + c.ms), c.secondsLeft) << c.ms << " ms, " << c.fraction;
    }
}

TEST(JobPace, JobFractionWeighsRowsByLengthWithoutWhatEndedUndone)
{
    engine::JobPace pace;
    pace.Begin({10, 30, 60, 20}, 0);
    pace.SetRowFraction(0, 1.0);
    pace.RowEnded(0);
    pace.SetRowFraction(1, 0.5);
    EXPECT_DOUBLE_EQ(pace.JobFraction(), 25.0 / 120.0);
    EXPECT_EQ(pace.EndedRows(), 1u);
    EXPECT_EQ(pace.RunningRows(), 1u);

    // Refused: its 60 s are no longer part of the job.
    pace.RowEnded(2);
    EXPECT_DOUBLE_EQ(pace.JobFraction(), 25.0 / 60.0);

    // Failed half-way: the other half goes too. A late progress message of
    // the ended row changes nothing.
    pace.RowEnded(1);
    pace.SetRowFraction(1, 0.9);
    EXPECT_DOUBLE_EQ(pace.JobFraction(), 25.0 / 45.0);
    EXPECT_EQ(pace.RunningRows(), 0u);
    EXPECT_EQ(pace.EndedRows(), 3u);
}

TEST(JobPace, JobOfRowsEndedUnprocessedIsWhole)
{
    engine::JobPace pace;
    pace.Begin({10, 20}, 0);
    EXPECT_EQ(pace.JobFraction(), 0.0);
    pace.RowEnded(0);
    pace.RowEnded(1);
    EXPECT_EQ(pace.JobFraction(), 1.0);
    EXPECT_FALSE(pace.SecondsLeft(60000));
}

TEST(JobPace, BeginForgetsTheLastJob)
{
    engine::JobPace pace;
    pace.Begin({10}, 0);
    pace.SetRowFraction(0, 1.0);
    pace.RowEnded(0);
    pace.Begin({10, 10}, 50000);
    EXPECT_EQ(pace.JobFraction(), 0.0);
    EXPECT_EQ(pace.EndedRows(), 0u);
    pace.SetRowFraction(0, 0.5);
    EXPECT_EQ(pace.SecondsLeft(55000), 15u);
}
