#include "ProgressReport.h"

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

void ProgressReport::BeginRows(std::vector<double> rowSeconds)
{
    rowSeconds_ = std::move(rowSeconds);
    rowFractions_.assign(rowSeconds_.size(), 0.0);
    rowStates_.assign(rowSeconds_.size(), RowState::Waiting);
}

void ProgressReport::RowStarted(std::size_t row)
{
    if (row < rowStates_.size())
        rowStates_[row] = RowState::Running;
}

void ProgressReport::RowEnded(std::size_t row)
{
    if (row < rowStates_.size()) {
        rowStates_[row] = RowState::Ended;
        rowFractions_[row] = 1.0;
    }
}

double ProgressReport::JobFraction() const
{
    double total = 0, done = 0;
    for (std::size_t row = 0; row < rowSeconds_.size(); ++row) {
        total += rowSeconds_[row];
        done += rowSeconds_[row] * rowFractions_[row];
    }
    return total > 0 ? done / total : 0.0;
}

std::optional<ProgressView> ProgressReport::OnEngineProgress(std::uint32_t stage, std::int32_t value,
                                                             const JobPhase& phase)
{
    const bool rowMessage = stage == 0 && phase.convertingRow && phase.row && *phase.row < rowFractions_.size();
    if (rowMessage && rowStates_[*phase.row] == RowState::Running)
        rowFractions_[*phase.row] = std::clamp(static_cast<double>(value) / kFull, 0.0, 1.0);

    const std::uint64_t now = clock_.NowMs();
    if (now - lastProgressTick_ < kThrottleMs)
        return std::nullopt;
    lastProgressTick_ = now;

    StagePosition stagePosition = Position(stage, value, phase);
    if (stage == 0 && phase.convertingRow && !rowSeconds_.empty())
        stagePosition.position = static_cast<std::int64_t>(JobFraction() * kFull);
    ProgressView view;
    view.position = static_cast<int>(std::clamp<std::int64_t>(stagePosition.position, 0, kFull));
    view.jobPercent = view.position / 100;
    char text[512];
    if (rowMessage) {
        std::snprintf(text, sizeof text, "  %.2f%%", static_cast<float>(std::clamp(value, 0, 10000)) * 0.01f);
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
