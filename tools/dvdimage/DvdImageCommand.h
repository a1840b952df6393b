#pragma once
// The dvdimage command line and its translation into dvdauthor's.
//
// Title-set run:  -sfm NAME -o FOLDER -v TV+WxH+ASPECT -a CODEC+LANG [-c LIST] -f FILE ...
// Table of contents run:  -sfm NAME -T -o FOLDER
//
// Every "-f" file becomes one cell (with the chapter marks of the "-c" before
// it) of a single title, so that a player without menus plays all files in
// order, and chapter skipping runs across them.
#include <string>
#include <vector>

namespace dvdimage {

struct TitleFile {
    std::string chapters;  // "-c" list; empty for none (dvdauthor then marks the file's start)
    std::string path;
};

struct DvdImageRequest {
    std::string recordName;
    std::string outputFolder;
    bool tableOfContents = false;
    std::string video;
    std::string audio;
    std::vector<TitleFile> files;
};

// Reads the options after the program name; throws tools::ToolError with a
// one-line reason on a malformed line.
DvdImageRequest ParseDvdImageCommand(const std::vector<std::string>& arguments);

// dvdauthor's "-v" list from ours: the resolution words dvdauthor 0.7.2
// refuses are left out (it reads the size from the stream), blanks around
// each word and empty words are dropped. "pal+720x576+16:9 " gives "pal+16:9".
std::string DvdauthorVideoOptions(const std::string& video);

// dvdauthor's arguments for the title-set run: the output folder and the
// files made absolute (so no path can pass for an option or stdin), one
// "-t" for one title. Throws tools::ToolError when a file name ends in "|"
// (dvdauthor would run it as a shell command).
std::vector<std::string> TitleSetArguments(const DvdImageRequest& request);

// dvdauthor's arguments for the table-of-contents run.
std::vector<std::string> TableOfContentsArguments(const DvdImageRequest& request);

}  // namespace dvdimage
