#pragma once
// A fresh folder per test, removed again afterwards. While it lives,
// XDG_RUNTIME_DIR and HOME point into it and XDG_CONFIG_HOME is unset, so no
// test touches the real home, settings or temp folder; LC_ALL is C.UTF-8, so
// no test depends on the tester's language.
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder path, ending with '/'.
    const std::string& Path() const { return path_; }
    // Path() + relative; creates the parent folders.
    std::string Make(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& content) const;
    std::string Read(const std::string& relative) const;

private:
    std::string path_;
    std::vector<std::pair<std::string, std::string>> saved_;  // variables set before, restored after
};

// The names in a folder, sorted; empty when there is no such folder.
std::vector<std::string> FileNames(const std::string& folder);

}  // namespace testing_support
