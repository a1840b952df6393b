#pragma once
// What the core has to tell the user, or ask: which message, and the
// values it names. The front ends turn a notice into their own words with
// NoticeText (NoticeText.h): a message box in the window, a line on
// standard error in the command line.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

// The arguments each message takes are listed after it, in order.
enum class NoticeId {
    // Start-up
    ProfileDataUnreadable,  // data file, what is wrong (LoadProfileCatalogue)
    OnlyOneInstance,
    // Folders typed into the folder chooser
    FolderInvalid,            // path
    FolderMissingCreateIt,    // path; a Yes/No question
    FolderNotCreated,         // path
    // Checks before a job
    NotAllowedWhileBusy,
    OutputFormatUnavailable,
    NoVideoTicked,
    JoinNeedsOneFormat,
    DiscLabelEmpty,
    DiscLabelSpecialCharacter,
    OutputFolderNotCreated,
    OutputFolderUnusable,      // folder, the system's reason
    DiscSpaceShort,            // drive, required MB, free MB; a Yes/No question
    DiscSpaceTight,            // drive, required MB; a Yes/No question
    WorkingFolderNotCreated,   // where it was to be made
    SubtitleFontMissing,
    // Adding sources
    SourceNotFound,           // path
    SourceUnreadable,         // path, the system's reason
    FileTooSmall,             // path
    VideoUnreadable,          // path, optionally the encoder's reason; the probe tried every way it knows
    VideoUnreadableByDecoder, // path, optionally the encoder's reason; another decoder may read it
    SourcesAlreadyListed,     // how many files, the first one's name; a Yes/No question whose default is No
    // While a job runs
    ToolNotLoaded,            // path of the tool
    DecoderSettingsNotWritten,
    JoinFailed,               // optionally the reason
    OriginalJoinFailed,       // optionally the reason
    MoveVideoFailed,
    DvdImageFailed,           // optionally the reason
    VcdImageFailed,           // optionally the reason
    VcdXmlFailed,
    StopQuestion,  // an OK/Cancel question
    // The end of a job
    JobAborted,
    JobAccomplished,   // how many sources were converted
    JobPartlyFailed,   // how many were converted, how many failed, then the failed files' names
    JobOutputMade,     // the one output of a join or disc job
    TempFolderNotDeleted,  // folder
};

struct Notice {
    Notice(NoticeId noticeId, std::vector<std::string> noticeArgs = {}) : id(noticeId), args(std::move(noticeArgs)) {}

    NoticeId id;
    std::vector<std::string> args;

    bool operator==(const Notice&) const = default;
};

// How a step that may fail went: success, a failure with the notice that
// says why, or a failure the user chose by declining a question, which
// leaves nothing to tell.
class Outcome {
public:
    Outcome() = default;
    Outcome(Notice failure) : succeeded_(false), failure_(std::move(failure)) {}
    static Outcome Success() { return {}; }
    static Outcome Declined()
    {
        Outcome declined;
        declined.succeeded_ = false;
        return declined;
    }

    bool Succeeded() const { return succeeded_; }
    explicit operator bool() const { return succeeded_; }
    // The notice of a failure; none after success or a declined question.
    const std::optional<Notice>& Failure() const { return failure_; }

private:
    bool succeeded_ = true;
    std::optional<Notice> failure_;
};

}  // namespace app
