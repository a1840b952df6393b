#include "JobTexts.h"

#include "app/NoticeText.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace engine {

namespace {

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

}  // namespace

std::string TimeLeftLine(std::uint64_t seconds)
{
    return app::FillIn(Text("Time Left Line"), {app::SecondsToClock(static_cast<double>(seconds))});
}

std::string RowCountLine(std::size_t endedRows, std::size_t runningRows, std::size_t rows)
{
    if (runningRows == 0)
        return "";
    if (runningRows == 1)
        return app::FillIn(Text("File Of"), {std::to_string(std::min(endedRows + 1, rows)), std::to_string(rows)});
    return app::FillIn(Text("Files Done Running"),
                  {std::to_string(endedRows), std::to_string(rows), std::to_string(runningRows)});
}

std::string TitlePercentPrefix(double jobFraction)
{
    // The small addition keeps 0.29 (28.999... in binary) at 29.
    const int percent = static_cast<int>(std::floor(std::clamp(jobFraction, 0.0, 1.0) * 100.0 + 1e-9));
    return app::FillIn(Text("Title Percent"), {std::to_string(percent)});
}

std::string JobEndSentence(JobEnd end, std::size_t convertedRows, std::size_t failedRows)
{
    switch (end) {
    case JobEnd::AllConverted:
        return app::FillIn(Text("Ended All Converted"), {std::to_string(convertedRows)});
    case JobEnd::SomeFailed:
        return app::FillIn(Text("Ended Some Failed"), {std::to_string(convertedRows), std::to_string(failedRows)});
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
