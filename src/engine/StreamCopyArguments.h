#pragma once
// Turns an encoder command line into one that copies the streams that fit
// (StreamFit.h): the copied stream's encoder, its encoder options, filters
// and rates go; the container options stay.
#include "engine/CommandLine.h"
#include "engine/StreamFit.h"

namespace engine {

// A copied picture drops -ovc's encoder and options, -vf, -ofps and the
// video sub-options of -lavcopts, and keeps -ffourcc: the tag the device
// looks for (DX50, hvc1) belongs on a copied stream too. Copied sound drops
// -lameopts, the audio sub-options of -lavcopts, -af, -srate and -channels.
// -lavcopts goes when nothing of it is left.
void ApplyStreamCopy(Arguments& arguments, const StreamCopy& copy);

}  // namespace engine
