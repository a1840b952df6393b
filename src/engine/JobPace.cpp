#include "JobPace.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr std::uint64_t kFirstEstimateMs = 3000;
constexpr double kFirstEstimateShare = 0.02;

}  // namespace

void JobPace::Begin(const std::vector<double>& rowSeconds, std::uint64_t nowMs)
{
    rows_.clear();
    for (double seconds : rowSeconds)
        rows_.push_back({std::max(seconds, 0.0), 0, false, false});
    beginMs_ = nowMs;
}

// Messages that come after the row's end (the last ones read from its run)
// change nothing.
void JobPace::SetRowFraction(std::size_t row, double fraction)
{
    if (row >= rows_.size() || rows_[row].ended)
        return;
    rows_[row].fraction = std::clamp(fraction, 0.0, 1.0);
    rows_[row].started = true;
}

void JobPace::RowEnded(std::size_t row)
{
    if (row < rows_.size())
        rows_[row].ended = true;
}

double JobPace::ProcessedSeconds() const
{
    double processed = 0;
    for (const Row& row : rows_)
        processed += row.seconds * row.fraction;
    return processed;
}

double JobPace::CountedSeconds() const
{
    double counted = 0;
    for (const Row& row : rows_)
        counted += row.ended ? row.seconds * row.fraction : row.seconds;
    return counted;
}

double JobPace::JobFraction() const
{
    const double counted = CountedSeconds();
    if (counted <= 0)
        return !rows_.empty() && EndedRows() == rows_.size() ? 1.0 : 0.0;
    return std::clamp(ProcessedSeconds() / counted, 0.0, 1.0);
}

std::optional<std::uint64_t> JobPace::SecondsLeft(std::uint64_t nowMs) const
{
    if (nowMs < beginMs_ + kFirstEstimateMs)
        return std::nullopt;
    const double processed = ProcessedSeconds();
    const double counted = CountedSeconds();
    if (processed <= 0 || processed < kFirstEstimateShare * counted)
        return std::nullopt;
    const double wallSeconds = static_cast<double>(nowMs - beginMs_) / 1000.0;
    const double left = (counted - processed) * wallSeconds / processed;
    return static_cast<std::uint64_t>(std::ceil(std::max(left, 0.0)));
}

std::size_t JobPace::EndedRows() const
{
    return static_cast<std::size_t>(
        std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.ended; }));
}

std::size_t JobPace::RunningRows() const
{
    return static_cast<std::size_t>(
        std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.started && !row.ended; }));
}

}  // namespace engine
