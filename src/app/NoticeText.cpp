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
    case NoticeId::FileTooSmall:
        return Join({"    Fail in load the file:", args.at(0), "\n\n    Unsupported  file!\n"});
    case NoticeId::VideoUnreadable:
        return Join({"    ", Text("Load video failed"), args.at(0), "\n\n    ", Text("Unsupported  video"), "\n"});
    case NoticeId::VideoUnreadableByDecoder:
        return Join({"    ", Text("Load video failed"), args.at(0), "\n\n    ", Text("Change decoder"), ".\n"});
    case NoticeId::JoinFailed:
        return Join({"\n  ", Text("Fail to join"), "  \n\n"});
    case NoticeId::OriginalJoinFailed:
        return Join({"\n", Text("Fail to join"), "\n\n", Text("Not original join"), "\n\n", Text("Try another format"),
                     "\n\n"});
    case NoticeId::MoveVideoFailed:
        return Text("Move video failed");
    case NoticeId::DvdImageFailed:
        return Text("DVD image failed");
    case NoticeId::VcdImageFailed:
        return Text("VCD image failed");
    case NoticeId::VcdXmlFailed:
        return Text("Create XML failed");
    case NoticeId::StopQuestion:
        return Join({"\n  ", Text("Are you sure"), "         \n\n"});
    case NoticeId::JobAborted:
        return Join({"\n      ", Text("Aborted by user"), "      \n"});
    case NoticeId::JobAccomplished:
        return Join({Text("Mission accomplished"), "      "});
    case NoticeId::TempFolderNotDeleted:
        return Join({Text("Delete temp failed"), args.at(0), "\n", Text("Delete temp yourself"), "\n"});
    }
    return "";
}

std::string NoticeCaption(const Notice& notice)
{
    return notice.id == NoticeId::StopQuestion ? "Warning" : Application().appName;
}

}  // namespace app
