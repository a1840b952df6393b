#pragma once
// Opening media so that a file cannot lead avm anywhere else: through the
// file protocol only, whatever the name looks like, and with none of the
// demuxers that open further files or streams named inside the one given
// (playlists, file lists, image sequences, session descriptions, scripts).
#include "Libav.h"

#include <string>

namespace avm {

// The URL that opens path as a local file even when it reads like a URL
// ("http:...", "concat:...").
std::string LocalFileUrl(const std::string& path);

// Whether a demuxer ("mov,mp4,m4a" names count as one) reads nothing but
// the file it is given.
bool ReadsOnlyItsOwnFile(const std::string& demuxerName);

// Opens path as above with `options` (null for none), which it frees.
// Throws ToolError naming path when it cannot be opened, or when it is of a
// kind that names further files or streams.
InputPtr OpenContained(const std::string& path, AVDictionary* options);

}  // namespace avm
