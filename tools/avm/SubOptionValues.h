#pragma once
// Reading sub-option lists (-lavcopts, -x264encopts, ...) and setting their
// values on an encoder, shared by the encoder option files.
#include "common/CommandLine.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace avm {

// The value of the last `key` in the list.
std::optional<std::string> Lookup(const std::vector<tools::SubOption>& list, const std::string& key);

// "-x264encopts crf=20", for messages.
std::string Origin(const std::string& list, const tools::SubOption& option);

// Sets a libavcodec or private encoder option; throws naming `origin`.
void Set(AVCodecContext* encoder, const std::string& name, const std::string& value, const std::string& origin);

// MEncoder gives rates in kbit/s, or in bit/s above 16000; bit/s.
std::int64_t BitRate(const std::string& text, const std::string& what);

}  // namespace avm
