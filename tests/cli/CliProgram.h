#pragma once
// diziv-cli run as a user runs it, from a program directory of its own in
// a test folder: the build's executables linked in, an app.ini with a name
// of its own, so that its status record and lock meet no other test's.
#include "platform/InstanceLock.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <functional>
#include <memory>
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
    // Run in two halves, for a test that acts while the program runs:
    // Start returns the process id (-1 when it cannot start), Finish waits
    // for its end (interruptWhen as for Run) and collects its output.
    pid_t Start(const std::vector<std::string>& arguments);
    CliRun Finish(pid_t pid, const std::function<bool(const std::string& out)>& interruptWhen = {});
    // Wait up to 10 s until the standard output or error of the started
    // run holds text.
    bool AwaitOutput(const std::string& text) const { return Await("cli.out", text); }
    bool AwaitError(const std::string& text) const { return Await("cli.err", text); }

    std::string Program() const { return folder_.Path() + "prog/"; }
    // The output folder the tests convert into, and what it holds.
    std::string Out() const { return folder_.Path() + "out/"; }
    std::vector<std::string> Outputs() const { return testing_support::FileNames(Out()); }
    // A copy of a shared test clip under the given name in the test folder.
    std::string Copy(const std::string& clip, const std::string& relative) const;
    // The AppName of the test's app.ini, and the shared name made from it.
    const std::string& AppName() const { return appName_; }
    std::string SharedName() const;
    // Where the program keeps this user's settings.
    std::string SettingsFile() const { return folder_.Path() + "home/.config/" + appName_ + "/savedata.dll"; }
    // The lock the user's running copy holds.
    std::string LockFile() const { return folder_.Path() + "home/.config/" + appName_ + "/" + appName_ + ".lock"; }
    // Holds that lock as another running copy of the program would.
    std::unique_ptr<platform::InstanceLock> RunOtherCopy() const;

    testing_support::TestFolder folder_;

private:
    bool Await(const std::string& file, const std::string& text) const;

    std::string appName_;
};

}  // namespace cli_test
