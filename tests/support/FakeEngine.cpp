#include "FakeEngine.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace testing_support {

FakeEngineScript::FakeEngineScript(const std::string& script, const std::string& argumentsFile)
{
    ::setenv("FAKE_ENGINE_SCRIPT", script.c_str(), 1);
    if (!argumentsFile.empty())
        ::setenv("FAKE_ENGINE_ARGV", argumentsFile.c_str(), 1);
}

FakeEngineScript::~FakeEngineScript()
{
    ::unsetenv("FAKE_ENGINE_SCRIPT");
    ::unsetenv("FAKE_ENGINE_ARGV");
}

std::vector<std::string> ReadRecordedArguments(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> arguments;
    std::string argument;
    while (std::getline(in, argument, '\0'))
        arguments.push_back(argument);
    return arguments;
}

void InstallFakeEngine(const std::string& programDirectory)
{
    std::filesystem::create_directories(programDirectory);
    for (const char* tool : {"avm", "savm", "dvdimage", "vcdimage"})
        std::filesystem::create_symlink(FAKE_ENGINE_PATH, std::filesystem::path(programDirectory) / tool);
}

}  // namespace testing_support
