#include "QualityEncoders.h"

#include "SubOptionValues.h"
#include "common/ToolError.h"

#include <cstdlib>

namespace avm {

using tools::SubOption;
using tools::ToolError;

namespace {

void CheckRange(const SubOption& option, const std::string& origin, double low, double high)
{
    double value = ParseNumber(option.value, origin);
    if (value < low || value > high)
        throw ToolError(origin + " must lie between " + std::to_string(int(low)) + " and " + std::to_string(int(high)));
}

// x265 and SVT-AV1 know no quality capped by a rate: one of the two decides.
void RefuseQualityWithRate(const std::vector<SubOption>& list, const std::string& name)
{
    if (Lookup(list, "crf") && Lookup(list, "bitrate"))
        throw ToolError(name + " takes crf= or bitrate=, not both");
}

void AppendParameter(std::string& params, const std::string& name, const std::string& value)
{
    if (!params.empty())
        params += ':';
    params += name + "=" + value;
}

}  // namespace

void ApplyX265(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    RefuseQualityWithRate(list, "-x265encopts");
    // x265 writes its own notes to stderr; only errors belong in the log.
    std::string params = "log-level=error";
    bool poolsGiven = false;
    for (const SubOption& option : list) {
        const std::string origin = Origin("-x265encopts", option);
        const std::string& key = option.key;
        if (key == "bitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "crf") {
            CheckRange(option, origin, 0, 51);
            Set(encoder, key, option.value, origin);
        } else if (key == "qp" || key == "preset" || key == "tune" || key == "profile")
            Set(encoder, key, option.value, origin);
        else if (key == "level")
            AppendParameter(params, "level-idc", option.value);
        else if (key == "pass" || key == "stats")
            throw ToolError("unsupported " + origin + " (avm encodes in one pass)");
        else {
            // Other keys are x265's own; one it rejects is caught after the
            // encoder opens.
            poolsGiven = poolsGiven || key == "pools";
            AppendParameter(params, key, option.hasValue ? option.value : "1");
        }
    }
    if (!poolsGiven && encoder->thread_count > 0)
        AppendParameter(params, "pools", std::to_string(encoder->thread_count));
    Set(encoder, "x265-params", params, "-x265encopts");
}

void ApplySvtAv1(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    RefuseQualityWithRate(list, "-svtav1encopts");
    // SVT-AV1 prints its configuration unless told to print errors only.
    ::setenv("SVT_LOG", "1", 0);
    std::string params;
    for (const SubOption& option : list) {
        const std::string origin = Origin("-svtav1encopts", option);
        const std::string& key = option.key;
        if (key == "bitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "crf") {
            CheckRange(option, origin, 1, 63);
            Set(encoder, key, option.value, origin);
        } else if (key == "preset") {
            CheckRange(option, origin, 0, 13);
            Set(encoder, key, option.value, origin);
        } else if (key == "keyint")
            Set(encoder, "g", option.value, origin);
        else
            AppendParameter(params, key, option.hasValue ? option.value : "1");
    }
    if (encoder->thread_count > 0 && !Lookup(list, "lp"))
        AppendParameter(params, "lp", std::to_string(encoder->thread_count));
    if (!params.empty())
        Set(encoder, "svtav1-params", params, "-svtav1encopts");
}

void ApplyVpx(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    // VP9's crf with a bitrate is its constrained quality: the rate caps it.
    encoder->bit_rate = 0;
    Set(encoder, "row-mt", "1", "-vpxencopts");
    for (const SubOption& option : list) {
        const std::string origin = Origin("-vpxencopts", option);
        const std::string& key = option.key;
        if (key == "bitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "crf") {
            CheckRange(option, origin, 0, 63);
            Set(encoder, key, option.value, origin);
        } else if (key == "deadline" && (option.value == "good" || option.value == "realtime" || option.value == "best"))
            Set(encoder, key, option.value, origin);
        else if (key == "cpu-used") {
            CheckRange(option, origin, -8, 8);
            Set(encoder, key, option.value, origin);
        } else if (key == "keyint")
            Set(encoder, "g", option.value, origin);
        else
            throw ToolError("unsupported " + origin);
    }
    if (encoder->bit_rate == 0 && !Lookup(list, "crf"))
        throw ToolError("-vpxencopts needs crf= or bitrate=");
}

int RequestedBitDepth(const AvmOptions& options)
{
    if (options.videoEncoder != VideoEncoder::X265)
        return 0;
    std::optional<std::string> profile = Lookup(options.x265Opts, "profile");
    if (profile == "main")
        return 8;
    if (profile == "main10")
        return 10;
    return 0;
}

}  // namespace avm
