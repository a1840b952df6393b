#pragma once
// The texts of a job's progress (the time left, which file of how many is
// being converted, the percentage before the window title) and the one
// sentence that tells how it ended, for a message outside the window.
#include <cstddef>
#include <cstdint>
#include <string>

namespace engine {

// "Time left: 01:02:03".
std::string TimeLeftLine(std::uint64_t seconds);

// "File 2 of 5" while one row runs (the one after those ended), "3 of 5
// done, 2 running" while several do; "" while none does.
std::string RowCountLine(std::size_t endedRows, std::size_t runningRows, std::size_t rows);

// "42% – ", the whole percent done (never rounded up to 100 %).
std::string TitlePercentPrefix(double jobFraction);

enum class JobEnd {
    AllConverted,  // every row converted
    SomeFailed,    // some rows converted, some not
    Stopped,       // the user stopped the job
    OutputMade,    // the joined file or the disc was made
    Failed,        // nothing was made
};

// "3 converted, 1 failed." and the like.
std::string JobEndSentence(JobEnd end, std::size_t convertedRows, std::size_t failedRows);

}  // namespace engine
