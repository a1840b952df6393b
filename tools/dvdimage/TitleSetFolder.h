#pragma once
// What dvdimage needs to know about the VIDEO_TS folder dvdauthor writes.
#include <optional>
#include <set>
#include <string>

namespace dvdimage {

// "PAL" or "NTSC", read from the video attributes of the first title set
// (VIDEO_TS/VTS_01_0.IFO under outputFolder); nullopt when there is no
// readable title set. dvdauthor needs it for the table of contents.
std::optional<std::string> TitleSetVideoFormat(const std::string& outputFolder);

// The names of the files in VIDEO_TS under outputFolder.
std::set<std::string> VideoTsFiles(const std::string& outputFolder);

// Removes the files of VIDEO_TS that are not in before: what a run that
// did not complete left half-written.
void RemoveFilesNotIn(const std::string& outputFolder, const std::set<std::string>& before);

}  // namespace dvdimage
