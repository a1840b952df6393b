#pragma once
// Where the core hands what it has to tell the user: the front end shows
// the notice in its own way (NoticeText.h builds the words).
#include "Notice.h"

namespace app {

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void Report(const Notice& notice) = 0;
};

// Reports why outcome failed; nothing after success or a declined question.
inline void ReportFailure(Reporter& reporter, const Outcome& outcome)
{
    if (outcome.Failure())
        reporter.Report(*outcome.Failure());
}

}  // namespace app
