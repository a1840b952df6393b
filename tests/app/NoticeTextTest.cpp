// The words of the core's notices: language texts in their box framing,
// arguments in place, as the window shows them and the command line tidies
// them. Texts the window tests see through their boxes are not repeated.
#include "app/Application.h"
#include "app/NoticeText.h"
#include "lang/IniTextFile.h"

#include <gtest/gtest.h>

using app::Notice;
using app::NoticeId;

namespace {

class NoticeTextTest : public ::testing::Test {
protected:
    NoticeTextTest()
    {
        for (const char* key : {"Not original join", "Same video format", "Create folder failed", "Delete temp failed",
                                "Delete temp yourself", "VCD image failed", "Are you sure"})
            lang::LanguageTable().SetValue("MainDialog", key, std::string("<") + key + ">", true);
        saved_ = app::Application();
        app::Application().appName = "My App";
    }
    ~NoticeTextTest() override
    {
        lang::LanguageTable() = lang::IniTextFile();
        app::Application() = saved_;
    }

    app::ApplicationValues saved_;
};

}  // namespace

TEST_F(NoticeTextTest, FramesLanguageTextsAndPlacesArguments)
{
    const struct {
        Notice notice;
        std::string text;
    } cases[] = {
        {{NoticeId::JoinNeedsOneFormat}, "\n\n<Not original join>\n\n<Same video format>\n\n"},
        {{NoticeId::OutputFolderNotCreated}, "<Create folder failed>"},
        {{NoticeId::VcdImageFailed}, "<VCD image failed>"},
        {{NoticeId::TempFolderNotDeleted, {"/o/t/"}}, "<Delete temp failed>/o/t/\n<Delete temp yourself>\n"},
        {{NoticeId::WorkingFolderNotCreated, {"/o/t/"}}, "Failed to create the temporary folder:/o/t/\n"},
        {{NoticeId::DiscSpaceShort, {"/mnt", "900", "450"}},
         "There is not enough free space on dirive /mnt.\n\nAbout required space on dirive /mnt is 900 MB.\n"
         "Free space on drive /mnt is 450 MB.\n\nPlease make sure there is enough free space on drive /mnt, then "
         "click \"Yes\" button to continue, or click \"No\" button to cancel the job.\n"},
        {{NoticeId::DiscSpaceTight, {"/mnt", "1800"}},
         "There is not enough free space on drive /mnt.\nAbout required space on dirive /mnt is 1800 MB.\n\n"
         "Please make sure there is enough free space on drive /mnt, then click \"Yes\" button to continue, or "
         "click \"No\" button to cancel the job.\n"},
        {{NoticeId::ProfileDataUnreadable, {"/p/dsp_data.dll", "is damaged: it holds no profile"}},
         "The profile data file /p/dsp_data.dll is damaged: it holds no profile."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::NoticeText(c.notice), c.text);
        EXPECT_EQ(app::NoticeCaption(c.notice), "My App");
    }
    EXPECT_EQ(app::NoticeText({NoticeId::StopQuestion}), "\n  <Are you sure>         \n\n");
    EXPECT_EQ(app::NoticeCaption({NoticeId::StopQuestion}), "Warning");
}

TEST_F(NoticeTextTest, RefusalReasonsAreOneLineWithoutThePath)
{
    lang::LanguageTable().SetValue("MainDialog", "Source not found", "Not found:", true);
    lang::LanguageTable().SetValue("MainDialog", "Source unreadable", "Cannot read\u00a0\uFF1A ", true);
    lang::LanguageTable().SetValue("MainDialog", "Unsupported  video", "Unsupported.", true);
    lang::LanguageTable().SetValue("MainDialog", "Change decoder", "Try another decoder", true);
    const struct {
        Notice notice;
        std::string reason;
    } cases[] = {
        {{NoticeId::SourceNotFound, {"/v/a.avi"}}, "Not found"},
        {{NoticeId::SourceUnreadable, {"/v/a.avi", "Permission denied"}}, "Cannot read: Permission denied"},
        {{NoticeId::VideoUnreadable, {"/v/a.avi", "avm: cannot open\n  /v/a.avi"}},
         "Unsupported. avm: cannot open /v/a.avi"},
        {{NoticeId::VideoUnreadable, {"/v/a.avi"}}, "Unsupported."},
        {{NoticeId::VideoUnreadableByDecoder, {"/v/a.avi", ""}}, "Try another decoder."},
        {{NoticeId::ToolNotLoaded, {"/p/avm"}}, "Error! Failed to load /p/avm ."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::RefusalReason(c.notice), c.reason);
}
