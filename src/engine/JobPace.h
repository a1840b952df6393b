#pragma once
// How far a job has come and how long the rest will take. The pace is the
// media seconds processed per wall second since the job began; the time
// left is the media still to do at that pace. Rows run one after another or
// several at once: each reports the share of its own media done.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace engine {

class JobPace {
public:
    // rowSeconds: each row's media length in job order. nowMs starts the
    // wall time.
    void Begin(const std::vector<double>& rowSeconds, std::uint64_t nowMs);

    // A running row has done fraction (0..1) of its media. Its run counts as
    // running from the first call on (call it with 0 when the run starts).
    void SetRowFraction(std::size_t row, double fraction);

    // Nothing of row is left to do (done, failed, refused or skipped). What
    // it reported counts as processed; the rest no longer counts as left, so
    // a row refused at once neither speeds up nor slows down the pace.
    void RowEnded(std::size_t row);

    // 0..1 of the job's media still counted, weighted by row length.
    double JobFraction() const;

    // Seconds until the job is done at the pace so far, rounded up; nothing
    // before 3 s have passed and 2 % of the job is processed.
    std::optional<std::uint64_t> SecondsLeft(std::uint64_t nowMs) const;

    std::size_t Rows() const { return rows_.size(); }
    std::size_t EndedRows() const;
    std::size_t RunningRows() const;

private:
    struct Row {
        double seconds = 0;
        double fraction = 0;
        bool started = false;
        bool ended = false;
    };

    double ProcessedSeconds() const;
    // The media that counts: all of it but the unprocessed rest of ended rows.
    double CountedSeconds() const;

    std::vector<Row> rows_;
    std::uint64_t beginMs_ = 0;
};

}  // namespace engine
