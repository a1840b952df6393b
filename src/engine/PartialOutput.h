#pragma once
// A job writes each output under a hidden partial name beside its final
// name and renames it to the final name only once it is complete, so that
// no final name ever holds a half-written file, however the program or its
// tools end. The partial name tells whose it is:
// folder + "." + final name + "." + uid + "-" + pid + ".part".
#include "engine/OutputNaming.h"

#include <optional>
#include <string>

namespace engine {

// The partial path of a final name, for this process; the name is cut to
// the folder's limit (the partial name needs no extension of its own).
std::string PartialPathFor(const OutputName& finalName);

// Flushes the complete partial file or folder to the disk and renames it to
// finalName or, when that name was taken meanwhile, to the next free number;
// nothing is ever replaced. The path it got, or nothing (errno set) when it
// could not be flushed or renamed; the partial is then left where it was.
std::optional<std::string> CommitPartial(const std::string& partialPath, OutputName finalName);

// Removes the partial files and folders in folder that runs of this user
// left when they were killed: only names of the partial form with this
// user's id, owned by this user, whose writing process is gone; and the
// working folders such runs made there.
void RemoveAbandonedPartials(const std::string& folder);

// Removes path when it is such a partial file or folder, or a working folder
// such a run made; a file inside that working folder takes the folder with
// it. True when something was removed.
bool RemoveAbandonedOutput(const std::string& path);

}  // namespace engine
