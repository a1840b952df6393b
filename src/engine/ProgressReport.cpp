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
    startTick_ = lastProgressTick_ = clock_.NowMs();
}

std::optional<ProgressView> ProgressReport::OnEngineProgress(std::uint32_t stage, std::int32_t value,
                                                             const JobPhase& phase)
{
    const std::uint64_t now = clock_.NowMs();
    if (now - lastProgressTick_ < kThrottleMs)
        return std::nullopt;
    lastProgressTick_ = now;

    StagePosition stagePosition = Position(stage, value, phase);
    ProgressView view;
    view.position = static_cast<int>(std::clamp<std::int64_t>(stagePosition.position, 0, kFull));
    const float percent = static_cast<float>(view.position) * 0.01f;
    char text[512];
    if (stage == 0 && phase.convertingRow) {
        std::snprintf(text, sizeof text, "  %.2f%%", percent);
        view.rowText = text;
    }
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
