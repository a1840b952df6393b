#pragma once
// How the program talks with the user: the core's notices and questions,
// and the boxes the front ends word themselves. The program shows Qt
// message boxes or lines on a terminal; tests answer from a script.
#include "Reporter.h"

#include <string>
#include <vector>

namespace app {

// A file that was not added, and what its probe had to say about it.
struct RefusedFile {
    std::string path;
    std::vector<Notice> notices;
};

class UserDialogs : public Reporter {
public:
    // An information box with a single OK button.
    virtual void Message(const std::string& text, const std::string& caption) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Question(const std::string& text, const std::string& caption) = 0;
    // An OK/Cancel confirmation; true for OK.
    virtual bool Confirm(const std::string& text, const std::string& caption) = 0;

    // The same questions asked by the core.
    virtual bool Question(const Notice& question) = 0;
    virtual bool Confirm(const Notice& question) = 0;

    // Reports the notice with a further button labelled choice; true when
    // the user pressed it. Front ends without buttons only report it.
    virtual bool Offer(const Notice& notice, const std::string& choice)
    {
        (void)choice;
        Report(notice);
        return false;
    }

    // Tells about every file one adding refused, together; front ends
    // without a list of their own report each notice in turn.
    virtual void ReportRefusedFiles(const std::vector<RefusedFile>& files)
    {
        for (const RefusedFile& file : files)
            for (const Notice& notice : file.notices)
                Report(notice);
    }
};

}  // namespace app
