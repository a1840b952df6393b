#pragma once
// The vcdimage command line and its translation into vcdxbuild's:
//   -sfm NAME -x DESCRIPTION.xml -c IMAGE.cue -b IMAGE.bin [-p]
// "-p" asks for progress messages.
//
// vcdxbuild writes the image into a staging folder beside the image file
// and the finished files are moved into place, so an image that is there
// under its name is always complete. The cue sheet names the image by its
// file name, so the two belong in one folder.
#include <string>
#include <vector>

namespace vcdimage {

struct VcdImageRequest {
    std::string recordName;
    std::string description;
    std::string cueSheet;
    std::string image;
    bool progress = false;
};

// Throws tools::ToolError with a one-line reason on a malformed line.
VcdImageRequest ParseVcdImageCommand(const std::vector<std::string>& arguments);

// vcdxbuild's arguments when it runs in the staging folder: the image and
// cue sheet by their file names, the description by its absolute path.
std::vector<std::string> VcdxbuildArguments(const VcdImageRequest& request);

}  // namespace vcdimage
