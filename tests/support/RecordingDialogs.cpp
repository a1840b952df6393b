#include "RecordingDialogs.h"

#include "app/NoticeText.h"

namespace testing_support {

void RecordingDialogs::Message(const std::string& text, const std::string& caption)
{
    shown.push_back({text, caption, false, std::nullopt});
}

bool RecordingDialogs::Question(const std::string& text, const std::string& caption)
{
    shown.push_back({text, caption, true, std::nullopt});
    return NextAnswer();
}

bool RecordingDialogs::Confirm(const std::string& text, const std::string& caption)
{
    return Question(text, caption);
}

void RecordingDialogs::Report(const app::Notice& notice)
{
    shown.push_back({app::NoticeText(notice), app::NoticeCaption(notice), false, notice});
}

bool RecordingDialogs::Question(const app::Notice& question)
{
    shown.push_back({app::NoticeText(question), app::NoticeCaption(question), true, question});
    return NextAnswer();
}

bool RecordingDialogs::Confirm(const app::Notice& question)
{
    return Question(question);
}

bool RecordingDialogs::Offer(const app::Notice& notice, const std::string& choice)
{
    Report(notice);
    offered.push_back(choice);
    return takeOffer;
}

void RecordingDialogs::ReportRefusedFiles(const std::vector<app::RefusedFile>& files)
{
    refusedBatches.push_back(files);
    UserDialogs::ReportRefusedFiles(files);
}

bool RecordingDialogs::NextAnswer()
{
    if (answers_.empty())
        return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace testing_support
