#include "ProgressReport.h"

#include "JobTexts.h"
#include "lang/IniTextFile.h"

#include <algorithm>
#include <cstdio>

namespace engine {

namespace {

constexpr std::uint64_t kThrottleMs = 200;
constexpr std::int64_t kFull = 10000;

struct StagePosition {
    std::int64_t position;
    const char* key;  // stage text in section "MainDialog"; nullptr for none
};

StagePosition Position(std::uint32_t stage, std::int64_t value, const ProgressReport::JobPhase& phase)
{
    switch (stage) {
    case 0:
        return {value, phase.joining ? "Joinning Videoes" : "Converting Video"};
    case 1:
        return {phase.dvdTotalMB == 0 ? 0 : value * 10000 / phase.dvdTotalMB, "Checking VOB files"};
    case 2:
        return {value * 100, "Creating DVD Image"};
    case 3:
        return {value * 100, "Scanning MPEG Files"};
    case 4:
        return {value * 100, "Creating BIN/CUE"};
    default:
        return {value, nullptr};
    }
}

}  // namespace

void ProgressReport::Start()
{
    startTick_ = clock_.NowMs();
    lastProgressTick_ = startTick_;
}

void ProgressReport::BeginRows(const std::vector<double>& rowSeconds)
{
    rows_.Begin(rowSeconds, startTick_);
    stage_.reset();
}

void ProgressReport::RowStarted(std::size_t row)
{
    rows_.SetRowFraction(row, 0.0);
}

void ProgressReport::RowEnded(std::size_t row)
{
    rows_.RowEnded(row);
}

std::optional<ProgressView> ProgressReport::OnEngineProgress(std::uint32_t stage, std::int32_t value,
                                                             const JobPhase& phase)
{
    const bool rowMessage = stage == 0 && phase.convertingRow && phase.row;
    if (rowMessage)
        rows_.SetRowFraction(*phase.row, static_cast<double>(std::clamp(value, 0, 10000)) / kFull);

    const std::uint64_t now = clock_.NowMs();
    StagePosition stagePosition = Position(stage, value, phase);
    const bool rowsConverting = stage == 0 && phase.convertingRow && rows_.Rows() > 0;
    if (rowsConverting) {
        stagePosition.position = static_cast<std::int64_t>(rows_.JobFraction() * kFull);
    } else {
        if (stage_ != stage) {
            stage_ = stage;
            stagePace_.Begin({1.0}, now);
        }
        stagePace_.SetRowFraction(0, static_cast<double>(std::clamp<std::int64_t>(stagePosition.position, 0, kFull)) / kFull);
    }
    if (now - lastProgressTick_ < kThrottleMs)
        return std::nullopt;
    lastProgressTick_ = now;

    ProgressView view;
    view.position = static_cast<int>(std::clamp<std::int64_t>(stagePosition.position, 0, kFull));
    view.titlePrefix = TitlePercentPrefix(static_cast<double>(view.position) / kFull);
    const JobPace& pace = rowsConverting ? rows_ : stagePace_;
    if (const std::optional<std::uint64_t> left = pace.SecondsLeft(now))
        view.timeLeftLine = TimeLeftLine(*left);
    if (rowsConverting) {
        view.countLine = RowCountLine(rows_.EndedRows(), rows_.RunningRows(), rows_.Rows());
        view.runningRows = rows_.RunningRows();
    }
    char text[512];
    if (rowMessage) {
        view.rowPosition = std::clamp(value, 0, 10000);
        std::snprintf(text, sizeof text, "  %.2f%%", static_cast<float>(view.rowPosition) * 0.01f);
        view.rowText = text;
        view.row = phase.listRow;
    }
    const float percent = static_cast<float>(view.position) * 0.01f;
    const std::string stageText = stagePosition.key ? lang::Text("MainDialog", stagePosition.key) : "";
    std::snprintf(text, sizeof text, "%s: %.2f%%", stageText.c_str(), percent);
    view.stageLine = text;
    const std::uint64_t elapsed = (now - startTick_) / 1000;
    std::snprintf(text, sizeof text, "%s:%02llu:%02llu:%02llu", lang::Text("MainDialog", "Elapsed Time").c_str(),
                  static_cast<unsigned long long>(elapsed / 3600), static_cast<unsigned long long>(elapsed % 3600 / 60),
                  static_cast<unsigned long long>(elapsed % 60));
    view.elapsedLine = text;
    return view;
}

}  // namespace engine
