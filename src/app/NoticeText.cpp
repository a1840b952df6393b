#include "NoticeText.h"

#include "Application.h"
#include "lang/IniTextFile.h"

#include <initializer_list>
#include <string_view>

namespace app {

namespace {

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

// The pieces one after another. Appending to one string also keeps GCC 12
// from a false -Wrestrict warning on chains of + that begin with a literal.
std::string Join(std::initializer_list<std::string_view> pieces)
{
    std::string text;
    for (std::string_view piece : pieces)
        text += piece;
    return text;
}

// The optional argument at index after before; "" when there is none.
std::string Optional(const std::vector<std::string>& args, std::size_t index, std::string_view before)
{
    return index < args.size() && !args[index].empty() ? Join({before, args[index]}) : "";
}

// The names from args[first] on, one a line, the first few only.
std::string NameList(const std::vector<std::string>& args, std::size_t first)
{
    constexpr std::size_t kNamesShown = 5;
    std::string list;
    std::size_t shown = 0;
    for (std::size_t i = first; i < args.size() && shown < kNamesShown; ++i, ++shown)
        list += Join({"\n", args[i]});
    if (const std::size_t more = args.size() - first - shown; more > 0)
        list += Join({"\n", FillIn(Text("And more"), {std::to_string(more)})});
    return list;
}

// A message's lead-in used as a sentence of its own: without the colon
// (and the blanks) that introduced the path.
std::string Label(const char* key)
{
    std::string text = Text(key);
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (std::string_view end : {" ", "\u00A0", ":", "\uFF1A"}) {
            if (text.ends_with(end)) {
                text.erase(text.size() - end.size());
                stripped = true;
            }
        }
    }
    return text;
}

// text with every run of blanks and line breaks made one space.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string JobCounts(const std::string& converted, const std::string& failed)
{
    return FillIn(Text("Job counts"), {converted, failed});
}

std::string FolderText(const std::string& path, std::string_view tail)
{
    return Join({"The folder:\n\n", path, "\n\n", tail});
}

std::string DiscSpaceShortText(const std::string& drive, const std::string& requiredMB, const std::string& freeMB)
{
    return Join({"There is not enough free space on dirive ", drive, ".\n\nAbout required space on dirive ", drive,
                 " is ", requiredMB, " MB.\nFree space on drive ", drive, " is ", freeMB,
                 " MB.\n\nPlease make sure there is enough free space on drive ", drive,
                 ", then click \"Yes\" button to continue, or click \"No\" button to cancel the job.\n"});
}

std::string DiscSpaceTightText(const std::string& drive, const std::string& requiredMB)
{
    return Join({"There is not enough free space on drive ", drive, ".\nAbout required space on dirive ", drive, " is ",
                 requiredMB, " MB.\n\nPlease make sure there is enough free space on drive ", drive,
                 ", then click \"Yes\" button to continue, or click \"No\" button to cancel the job.\n"});
}

}  // namespace

std::string FillIn(std::string text, std::initializer_list<std::string> values)
{
    int number = 1;
    for (const std::string& value : values) {
        const std::string marker = "%" + std::to_string(number++);
        if (const std::size_t at = text.find(marker); at != std::string::npos)
            text.replace(at, marker.size(), value);
    }
    return text;
}


std::string NoticeText(const Notice& notice)
{
    const std::vector<std::string>& args = notice.args;
    switch (notice.id) {
    case NoticeId::ProfileDataUnreadable:
        return Join({"The profile data file ", args.at(0), " ", args.at(1), "."});
    case NoticeId::OnlyOneInstance:
        return Text("Only one instance");
    case NoticeId::FolderInvalid:
        return FolderText(args.at(0), "is invalid. Please reenter.");
    case NoticeId::FolderMissingCreateIt:
        return FolderText(args.at(0), "does not exist. Do you want the folder to be created?");
    case NoticeId::FolderNotCreated:
        return FolderText(args.at(0), "can not be created. Please double check.");
    case NoticeId::NotAllowedWhileBusy:
        return Text("Not allow operation");
    case NoticeId::OutputFormatUnavailable:
        return "Failed to get output format settings. ";
    case NoticeId::NoVideoTicked:
        return Join({"\n        ", Text("One video at least"), "          \n\n"});
    case NoticeId::JoinNeedsOneFormat:
        return Join({"\n\n", Text("Not original join"), "\n\n", Text("Same video format"), "\n\n"});
    case NoticeId::DiscLabelEmpty:
        return Text("Disc label enmpty");
    case NoticeId::DiscLabelSpecialCharacter:
        return Join({Text("Not special char"), "\n\" * / : < > ? \\ | ' & ; #"});
    case NoticeId::OutputFolderNotCreated:
        return Text("Create folder failed");
    case NoticeId::OutputFolderUnusable:
        return Join({Text("Output folder unusable"), "\n", args.at(0), "\n", args.at(1)});
    case NoticeId::DiscSpaceShort:
        return DiscSpaceShortText(args.at(0), args.at(1), args.at(2));
    case NoticeId::DiscSpaceTight:
        return DiscSpaceTightText(args.at(0), args.at(1));
    case NoticeId::WorkingFolderNotCreated:
        return Join({"Failed to create the temporary folder:", args.at(0), "\n"});
    case NoticeId::SubtitleFontMissing:
        return "Failed to load the font resource, please change the \"Subtilte Charset\" to try again.";
    case NoticeId::ToolNotLoaded:
        return Join({"Error! Failed to load ", args.at(0), " ."});
    case NoticeId::DecoderSettingsNotWritten:
        return "Failed to write decoder setting file.";
    case NoticeId::SourceNotFound:
        return Join({Text("Source not found"), " ", args.at(0)});
    case NoticeId::SourceUnreadable:
        return Join({Text("Source unreadable"), " ", args.at(0), "\n\n", args.at(1)});
    case NoticeId::FileTooSmall:
        return Join({Text("File too small"), " ", args.at(0)});
    case NoticeId::VideoUnreadable:
        return Join({"    ", Text("Load video failed"), args.at(0), "\n\n    ", Text("Unsupported  video"), "\n",
                     Optional(args, 1, "\n    ")});
    case NoticeId::VideoUnreadableByDecoder:
        return Join({"    ", Text("Load video failed"), args.at(0), "\n\n    ", Text("Change decoder"), ".\n",
                     Optional(args, 1, "\n    ")});
    case NoticeId::SourcesAlreadyListed:
        return args.at(0) == "1" ? FillIn(Text("File already listed"), {args.at(1)})
                                 : FillIn(Text("Files already listed"), {args.at(0)});
    case NoticeId::JoinFailed:
        return Join({"\n  ", Text("Fail to join"), "  \n\n", Optional(args, 0, "  ")});
    case NoticeId::OriginalJoinFailed:
        return Join({"\n", Text("Fail to join"), "\n\n", Text("Not original join"), "\n\n", Text("Try another format"),
                     "\n\n", Optional(args, 0, "")});
    case NoticeId::MoveVideoFailed:
        return Text("Move video failed");
    case NoticeId::DvdImageFailed:
        return Join({Text("DVD image failed"), Optional(args, 0, "\n\n")});
    case NoticeId::VcdImageFailed:
        return Join({Text("VCD image failed"), Optional(args, 0, "\n\n")});
    case NoticeId::VcdXmlFailed:
        return Text("Create XML failed");
    case NoticeId::StopQuestion:
        return Join({"\n  ", Text("Are you sure"), "         \n\n"});
    case NoticeId::JobAborted:
        return Join({"\n      ", Text("Aborted by user"), "      \n"});
    case NoticeId::JobAccomplished:
        return Join({Text("Mission accomplished"), "\n\n", JobCounts(args.at(0), "0")});
    case NoticeId::JobPartlyFailed:
        return Join({Text("Job partly failed"), "\n\n", JobCounts(args.at(0), args.at(1)), "\n\n",
                     Text("Not converted"), NameList(args, 2)});
    case NoticeId::JobOutputMade:
        return Join({Text("Mission accomplished"), "\n\n", Text("Output made"), " ", args.at(0)});
    case NoticeId::TempFolderNotDeleted:
        return Join({Text("Delete temp failed"), args.at(0), "\n", Text("Delete temp yourself"), "\n"});
    }
    return "";
}

std::string RefusalReason(const Notice& notice)
{
    const std::vector<std::string>& args = notice.args;
    switch (notice.id) {
    case NoticeId::SourceNotFound:
        return Label("Source not found");
    case NoticeId::SourceUnreadable:
        return Join({Label("Source unreadable"), ": ", args.at(1)});
    case NoticeId::FileTooSmall:
        return Label("File too small");
    case NoticeId::VideoUnreadable:
        return OneLine(Join({Text("Unsupported  video"), Optional(args, 1, " ")}));
    case NoticeId::VideoUnreadableByDecoder:
        return OneLine(Join({Text("Change decoder"), ".", Optional(args, 1, " ")}));
    default:
        return OneLine(NoticeText(notice));
    }
}

std::string NoticeCaption(const Notice& notice)
{
    return notice.id == NoticeId::StopQuestion ? "Warning" : Application().appName;
}

}  // namespace app
