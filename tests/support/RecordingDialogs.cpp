#include "RecordingDialogs.h"

namespace testing_support {

void RecordingDialogs::Message(const std::string& text, const std::string& caption)
{
    shown.push_back({text, caption, false});
}

bool RecordingDialogs::Question(const std::string& text, const std::string& caption)
{
    shown.push_back({text, caption, true});
    if (answers_.empty())
        return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool RecordingDialogs::Confirm(const std::string& text, const std::string& caption)
{
    return Question(text, caption);
}

}  // namespace testing_support
