#pragma once
// The identify run: after the media facts are written, it proves that an
// opened input decodes by decoding its first picture (and its first sound
// when it has sound). Nothing is encoded or written.
#include "InputMedia.h"
#include "Transcoder.h"

namespace avm {

// Packets read at most: a picture or sound missing after so many counts as
// undecodable.
constexpr int kIdentifyPacketLimit = 1000;
// An input read directly must hold data far enough into its first seconds
// (CutOffPoint of these); one whose data end before is damaged or cut off.
constexpr double kIdentifiedSeconds = 3;

// Throws ToolError when no picture (for an input without picture: no
// sound) decodes, or a directly read input is cut off early.
TranscodeOutcome DecodeFirstFrames(InputMedia& input, const TranscodeHooks& hooks);

}  // namespace avm
