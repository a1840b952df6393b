#include "JobTexts.h"

#include "lang/IniTextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace engine {

namespace {

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

// text with %1, %2 ... replaced by the values in turn.
std::string FillIn(std::string text, std::initializer_list<std::string> values)
{
    int number = 1;
    for (const std::string& value : values) {
        const std::string marker = "%" + std::to_string(number++);
        if (const std::size_t at = text.find(marker); at != std::string::npos)
            text.replace(at, marker.size(), value);
    }
    return text;
}

}  // namespace

std::string TimeLeftLine(std::uint64_t seconds)
{
    char clock[64];
    std::snprintf(clock, sizeof clock, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned long long>(seconds % 3600 / 60), static_cast<unsigned long long>(seconds % 60));
    return FillIn(Text("Time Left Line"), {clock});
}

std::string RowCountLine(std::size_t endedRows, std::size_t runningRows, std::size_t rows)
{
    if (runningRows == 0)
        return "";
    if (runningRows == 1)
        return FillIn(Text("File Of"), {std::to_string(std::min(endedRows + 1, rows)), std::to_string(rows)});
    return FillIn(Text("Files Done Running"),
                  {std::to_string(endedRows), std::to_string(rows), std::to_string(runningRows)});
}

std::string TitlePercentPrefix(double jobFraction)
{
    // The small addition keeps 0.29 (28.999... in binary) at 29.
    const int percent = static_cast<int>(std::floor(std::clamp(jobFraction, 0.0, 1.0) * 100.0 + 1e-9));
    return FillIn(Text("Title Percent"), {std::to_string(percent)});
}

std::string JobEndSentence(JobEnd end, std::size_t convertedRows, std::size_t failedRows)
{
    switch (end) {
    case JobEnd::AllConverted:
        return FillIn(Text("Ended All Converted"), {std::to_string(convertedRows)});
    case JobEnd::SomeFailed:
        return FillIn(Text("Ended Some Failed"), {std::to_string(convertedRows), std::to_string(failedRows)});
    case JobEnd::Stopped:
        return Text("Ended Stopped");
    case JobEnd::OutputMade:
        return Text("Ended Output Made");
    case JobEnd::Failed:
        break;
    }
    return Text("Ended Failed");
}

}  // namespace engine
