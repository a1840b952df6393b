#pragma once
// The program installed from this build into a test folder as its Debian
// package lays it out: DESTDIR=<folder>/root with the prefix /usr.
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace install_test {

struct ProgramRun {
    int exitCode = -1;   // 128 + n when signal n ended the program
    std::string output;  // standard output and error together
};

// Width and height of a PNG file; {0, 0} when the file is no PNG.
std::pair<int, int> PngSize(const std::string& path);

class InstalledCopy : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // <folder>/root/usr/, ending with '/'.
    std::string Prefix() const { return Root() + "usr/"; }
    std::string Root() const { return folder_.Path() + "root/"; }

    // The installed app.ini names the application after this test, so that
    // its lock, temp folder and status record meet no other test's.
    std::string UseOwnAppName();

    // Each entry below the root with its type, mode, size, modification
    // time and link target, by path.
    using Snapshot = std::map<std::string, std::string>;
    Snapshot TakeSnapshot() const;
    // "added PATH", "removed PATH" or "changed PATH" for each difference
    // between the tree now and before.
    std::vector<std::string> ChangesSince(const Snapshot& before) const;

    // Runs a program (looked up in PATH unless the path has a '/'), no shell.
    ProgramRun Run(const std::vector<std::string>& args) const;

    testing_support::TestFolder folder_;
};

}  // namespace install_test
