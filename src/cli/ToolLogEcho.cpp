#include "ToolLogEcho.h"

#include "engine/EngineLauncher.h"

#include <fstream>

namespace cli {

namespace {

std::string ShellWord(const std::string& word)
{
    constexpr char kPlain[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+=/.,:@%";
    if (!word.empty() && word.find_first_not_of(kPlain) == std::string::npos)
        return word;
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string ShellCommand(const std::string& path, const engine::Arguments& arguments)
{
    std::string line = ShellWord(path);
    for (const std::string& argument : arguments)
        line += " " + ShellWord(argument);
    return line;
}

ToolLogEcho::ToolLogEcho(std::ostream& out, engine::EngineLauncher& launcher, std::function<void()> beforeOutput)
    : out_(out), launcher_(launcher), beforeOutput_(std::move(beforeOutput))
{
    launcher_.SetStartObserver(
        [this](const std::string& path, const engine::Arguments& arguments) { OnStart(path, arguments); });
}

ToolLogEcho::~ToolLogEcho()
{
    launcher_.SetStartObserver(nullptr);
}

void ToolLogEcho::OnStart(const std::string& path, const engine::Arguments& arguments)
{
    Pump();  // the rest of the previous tool's log, before a new one replaces it
    if (beforeOutput_)
        beforeOutput_();
    out_ << "diziv-cli: run: " << ShellCommand(path, arguments) << "\n" << std::flush;
    offset_ = 0;
}

void ToolLogEcho::Pump()
{
    if (launcher_.LogPath().empty())
        return;
    std::ifstream log(launcher_.LogPath(), std::ios::binary);
    if (!log.seekg(static_cast<std::streamoff>(offset_)))
        return;
    std::string grown((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    if (grown.empty())
        return;
    if (beforeOutput_)
        beforeOutput_();
    offset_ += grown.size();
    out_ << grown << std::flush;
}

}  // namespace cli
