#pragma once
// The media facts and track table a probe run writes into the record.
#include "InputMedia.h"
#include "protocol/EngineRecord.h"

namespace avm {

// Fills video_codec … channels and the track table from an opened input.
void WriteMediaFacts(const InputMedia& input, engine::EngineRecord& record);

}  // namespace avm
