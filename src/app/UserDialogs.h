#pragma once
// How the core asks the user something: message boxes and questions.
// The program shows Qt message boxes; tests answer from a script.
#include <string>

namespace app {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // An information box with a single OK button.
    virtual void Message(const std::string& text, const std::string& caption) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Question(const std::string& text, const std::string& caption) = 0;
    // An OK/Cancel confirmation; true for OK.
    virtual bool Confirm(const std::string& text, const std::string& caption) = 0;
};

}  // namespace app
