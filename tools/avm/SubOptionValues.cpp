#include "SubOptionValues.h"

#include "AvmOptions.h"
#include "Libav.h"
#include "common/ToolError.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace avm {

using tools::ToolError;

std::optional<std::string> Lookup(const std::vector<tools::SubOption>& list, const std::string& key)
{
    std::optional<std::string> found;
    for (const tools::SubOption& option : list)
        if (option.key == key)
            found = option.value;
    return found;
}

std::string Origin(const std::string& list, const tools::SubOption& option)
{
    return list + " " + option.key + (option.hasValue ? "=" + option.value : "");
}

void Set(AVCodecContext* encoder, const std::string& name, const std::string& value, const std::string& origin)
{
    int result = av_opt_set(encoder, name.c_str(), value.c_str(), AV_OPT_SEARCH_CHILDREN);
    if (result < 0)
        throw ToolError("cannot use " + origin + " with " + encoder->codec->name + ": " + ErrorText(result));
}

std::int64_t BitRate(const std::string& text, const std::string& what)
{
    std::int64_t value = ParseInteger(text, what);
    if (value <= 0)
        throw ToolError(what + " must be positive");
    return value > 16000 ? value : value * 1000;
}

}  // namespace avm
