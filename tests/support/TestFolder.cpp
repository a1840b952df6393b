#include "TestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

namespace {

constexpr const char* kIsolatedVariables[] = {"XDG_RUNTIME_DIR", "HOME", "XDG_CONFIG_HOME", "LC_ALL", "LC_MESSAGES", "LANG"};

}  // namespace

TestFolder::TestFolder()
{
    std::string pattern = (fs::temp_directory_path() / "diziv-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a test folder");
    path_ = pattern + "/";
    for (const char* name : kIsolatedVariables)
        if (const char* value = std::getenv(name))
            saved_.emplace_back(name, value);
    fs::create_directories(path_ + "runtime");
    fs::permissions(path_ + "runtime", fs::perms::owner_all);
    fs::create_directories(path_ + "home");
    ::setenv("XDG_RUNTIME_DIR", (path_ + "runtime").c_str(), 1);
    ::setenv("HOME", (path_ + "home").c_str(), 1);
    // Settings then go to home/.config/, as on a desktop that sets nothing.
    ::unsetenv("XDG_CONFIG_HOME");
    // A first start then picks English, whatever the tester's desktop speaks.
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

TestFolder::~TestFolder()
{
    for (const char* name : kIsolatedVariables)
        ::unsetenv(name);
    for (const auto& [name, value] : saved_)
        ::setenv(name.c_str(), value.c_str(), 1);
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string TestFolder::Make(const std::string& relative) const
{
    fs::path full = fs::path(path_) / relative;
    fs::create_directories(full.parent_path());
    return full.string();
}

void TestFolder::Write(const std::string& relative, const std::string& content) const
{
    std::ofstream(Make(relative), std::ios::binary) << content;
}

std::string TestFolder::Read(const std::string& relative) const
{
    std::ifstream in(path_ + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> FileNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace testing_support
