#include "FilterChain.h"

#include "ContainedInput.h"
#include "common/ToolError.h"

#include <cmath>
#include <filesystem>

namespace avm {

using tools::FilterSpec;
using tools::ToolError;

namespace {

// libass lays text subtitles out on a 384 x 288 canvas.
constexpr double kCanvasWidth = 384;
constexpr double kCanvasHeight = 288;

std::string Rate(AVRational rate)
{
    return std::to_string(rate.num) + "/" + std::to_string(rate.den);
}

std::string Seconds(double seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", seconds);
    return text;
}

void RequireParams(const FilterSpec& filter, std::size_t most)
{
    if (filter.params.size() > most)
        throw ToolError("-vf " + filter.name + " takes at most " + std::to_string(most) + " parameters");
}

int Param(const FilterSpec& filter, std::size_t index, int fallback)
{
    if (index >= filter.params.size() || filter.params[index].empty())
        return fallback;
    return ParseInteger(filter.params[index], "-vf " + filter.name);
}

// MEncoder's scale sizes: 0 and -1 keep the input's, -2 and -3 follow the
// other side at the input's display aspect.
std::string ScaleSide(int value, const char* same, const char* fromOther)
{
    if (value == 0 || value == -1)
        return same;
    if (value == -2 || value == -3)
        return fromOther;
    if (value < 0)
        throw ToolError("scale size " + std::to_string(value) + " is not possible");
    return std::to_string(value);
}

FilterStep Scale(const FilterSpec& filter)
{
    RequireParams(filter, 2);
    int width = Param(filter, 0, -1);
    int height = Param(filter, 1, -1);
    if ((width == -2 || width == -3) && (height == -2 || height == -3))
        throw ToolError("scale cannot derive both sides");
    std::string w = ScaleSide(width, "iw", "trunc(oh*dar/2)*2");
    std::string h = ScaleSide(height, "ih", "trunc(ow/dar/2)*2");
    return {"scale", {{"w", w}, {"h", h}}};
}

// expand=w:h:x:y pads to w x h (negative sizes add to the input's); x and y
// of -1 or missing centre the picture.
FilterStep Expand(const FilterSpec& filter)
{
    RequireParams(filter, 4);
    int width = Param(filter, 0, 0);
    int height = Param(filter, 1, 0);
    int x = Param(filter, 2, -1);
    int y = Param(filter, 3, -1);
    std::string w = width > 0 ? "max(iw," + std::to_string(width) + ")" : "iw+" + std::to_string(-width);
    std::string h = height > 0 ? "max(ih," + std::to_string(height) + ")" : "ih+" + std::to_string(-height);
    std::string px = x < 0 ? "trunc((ow-iw)/4)*2" : "min(" + std::to_string(x) + ",ow-iw)";
    std::string py = y < 0 ? "trunc((oh-ih)/4)*2" : "min(" + std::to_string(y) + ",oh-ih)";
    return {"pad", {{"w", w}, {"h", h}, {"x", px}, {"y", py}}};
}

FilterStep Crop(const FilterSpec& filter)
{
    RequireParams(filter, 4);
    FilterStep step{"crop", {}};
    const char* names[] = {"w", "h", "x", "y"};
    for (std::size_t i = 0; i < filter.params.size(); ++i)
        if (int value = Param(filter, i, -1); value >= 0)
            step.options.push_back({names[i], std::to_string(value)});
    return step;
}

void AddUserVideoFilters(const std::vector<FilterSpec>& filters, std::vector<FilterStep>& steps)
{
    for (const FilterSpec& filter : filters) {
        if (filter.name == "scale")
            steps.push_back(Scale(filter));
        else if (filter.name == "expand")
            steps.push_back(Expand(filter));
        else if (filter.name == "crop")
            steps.push_back(Crop(filter));
        else if (filter.name == "dsize") {
            RequireParams(filter, 1);
            if (filter.params.empty())
                throw ToolError("-vf dsize needs an aspect");
            AVRational aspect = ParseFrameRate(filter.params[0], "-vf dsize");
            steps.push_back({"setdar", {{"dar", Rate(aspect)}}});
        } else if (filter.name == "harddup") {
            // Every output is written at a constant rate; the rate step below
            // repeats frames wherever the source leaves a gap.
            RequireParams(filter, 0);
        } else {
            throw ToolError("unsupported video filter -vf " + filter.name);
        }
    }
}

}  // namespace

std::string SubtitleForceStyle(const SubtitleStyle& style, const std::string& fontFamily, double displayAspect)
{
    // MEncoder scales text with the picture's diagonal.
    double diagonal = std::sqrt(displayAspect * displayAspect + 1.0);
    long fontSize = std::lround(style.textScale / 100.0 * kCanvasHeight * diagonal);
    long marginV = std::lround((100 - style.position) / 100.0 * kCanvasHeight);
    long marginSide = std::lround((100 - style.width) / 200.0 * kCanvasWidth);
    std::string text = "Alignment=2,FontSize=" + std::to_string(fontSize) + ",MarginV=" + std::to_string(marginV) +
                       ",MarginL=" + std::to_string(marginSide) + ",MarginR=" + std::to_string(marginSide);
    if (!fontFamily.empty())
        text = "FontName=" + fontFamily + "," + text;
    return text;
}

std::vector<FilterStep> VideoSteps(const VideoChainPlan& plan)
{
    std::vector<FilterStep> steps;
    if (plan.sourceRate)
        steps.push_back({"fps", {{"fps", Rate(*plan.sourceRate)}}});
    AddUserVideoFilters(plan.userFilters, steps);
    // Subtitles are timed on the source's clock, frames arrive on the output's.
    if (!plan.subtitles.empty())
        steps.push_back({"setpts", {{"expr", "PTS-(" + Seconds(plan.timeShift) + ")/TB"}}});
    for (const SubtitleSource& source : plan.subtitles) {
        FilterStep subtitles{"subtitles", {{"filename", LocalFileUrl(source.path)}}};
        if (source.trackPosition >= 0)
            subtitles.options.push_back({"si", std::to_string(source.trackPosition)});
        if (!source.style.codePage.empty())
            subtitles.options.push_back({"charenc", source.style.codePage});
        if (!source.style.fontFile.empty())
            subtitles.options.push_back(
                {"fontsdir", std::filesystem::path(source.style.fontFile).parent_path().string()});
        subtitles.options.push_back(
            {"force_style", SubtitleForceStyle(source.style, plan.fontFamily, plan.displayAspect)});
        steps.push_back(subtitles);
    }
    if (!plan.subtitles.empty())
        steps.push_back({"setpts", {{"expr", "PTS+(" + Seconds(plan.timeShift) + ")/TB"}}});
    if (plan.width > 0 && plan.height > 0) {
        steps.push_back({"scale", {{"w", std::to_string(plan.width)}, {"h", std::to_string(plan.height)}}});
        steps.push_back({"setsar", {{"sar", Rate(plan.sampleAspect.num > 0 ? plan.sampleAspect : AVRational{1, 1})}}});
    }
    steps.push_back({"fps", {{"fps", Rate(plan.outputRate)}, {"start_time", Seconds(plan.startTime)}}});
    steps.push_back({"format", {{"pix_fmts", plan.pixelFormat}}});
    return steps;
}

int ResampleRate(const std::vector<FilterSpec>& audioFilters)
{
    int rate = 0;
    for (const FilterSpec& filter : audioFilters)
        if ((filter.name == "resample" || filter.name == "lavcresample") && !filter.params.empty())
            rate = ParseInteger(filter.params[0], "-af " + filter.name);
    return rate;
}

std::vector<FilterStep> AudioSteps(const AudioChainPlan& plan)
{
    std::vector<FilterStep> steps;
    for (const FilterSpec& filter : plan.userFilters) {
        if (filter.name == "volume") {
            if (filter.params.empty() || filter.params.size() > 2)
                throw ToolError("-af volume takes a gain in dB and an optional soft-clip switch");
            double gain = ParseNumber(filter.params[0], "-af volume");
            if (gain < -200 || gain > 60)
                throw ToolError("-af volume gain must lie between -200 and 60 dB");
            steps.push_back({"volume", {{"volume", Seconds(gain) + "dB"}}});
            if (filter.params.size() == 2 && ParseInteger(filter.params[1], "-af volume") != 0)
                steps.push_back({"alimiter", {{"limit", "1"}}});
        } else if (filter.name == "resample" || filter.name == "lavcresample") {
            // The rate itself is set by the resampling step at the end.
            if (filter.params.empty() || filter.params.size() > 3)
                throw ToolError("-af " + filter.name + " needs a sample rate");
        } else {
            throw ToolError("unsupported audio filter -af " + filter.name);
        }
    }
    // Fills gaps with silence and drops overlaps, so that sound stays in step
    // with the picture across trims and joined inputs.
    steps.push_back({"aresample",
                     {{"out_sample_rate", std::to_string(plan.sampleRate)},
                      {"async", "1"},
                      {"first_pts", std::to_string(plan.firstSample)}}});
    steps.push_back({"aformat",
                     {{"sample_fmts", plan.sampleFormat},
                      {"sample_rates", std::to_string(plan.sampleRate)},
                      {"channel_layouts", plan.channelLayout}}});
    return steps;
}

}  // namespace avm
