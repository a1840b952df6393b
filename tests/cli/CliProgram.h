#pragma once
// diziv-cli run as a user runs it, from a program directory of its own in
// a test folder: the build's executables linked in, an app.ini with a name
// of its own, so that its status record and lock meet no other test's.
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace cli_test {

struct CliRun {
    int exitCode = -1;  // 128 + n when signal n ended the program
    std::string out, err;
};

class CliProgram : public ::testing::Test {
protected:
    CliProgram();

    // Runs diziv-cli with arguments; interruptWhen, when given, is asked
    // with the output so far every 20 ms, and true sends SIGINT.
    CliRun Run(const std::vector<std::string>& arguments,
               const std::function<bool(const std::string& out)>& interruptWhen = {});

    std::string Program() const { return folder_.Path() + "prog/"; }
    // The AppName of the test's app.ini, and the shared name made from it.
    const std::string& AppName() const { return appName_; }
    std::string SharedName() const;
    // Where the program keeps this user's settings.
    std::string SettingsFile() const { return folder_.Path() + "home/.config/" + appName_ + "/savedata.dll"; }

    testing_support::TestFolder folder_;

private:
    std::string appName_;
};

}  // namespace cli_test
