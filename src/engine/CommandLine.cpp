#include "CommandLine.h"

namespace engine {

namespace {

bool NeedsQuotes(const std::string& argument)
{
    return argument.empty() || argument.find_first_of(" \t\"\\") != std::string::npos;
}

std::string Quoted(const std::string& argument)
{
    std::string text = "\"";
    for (char c : argument) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + '"';
}

}  // namespace

Arguments SplitWords(std::string_view text)
{
    Arguments words;
    AppendWords(words, text);
    return words;
}

void AppendWords(Arguments& arguments, std::string_view text)
{
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return;
        std::size_t end = text.find_first_of(" \t", at);
        if (end == std::string_view::npos)
            end = text.size();
        arguments.emplace_back(text.substr(at, end - at));
        at = end;
    }
}

Arguments RecordNameArguments(const std::string& recordName)
{
    return {"-sfm", recordName};
}

std::string CommandText(const Arguments& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += " " + (NeedsQuotes(argument) ? Quoted(argument) : argument);
    return text;
}

}  // namespace engine
