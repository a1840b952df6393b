#include "CommandLine.h"

#include <algorithm>

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

std::vector<std::string> SplitItems(std::string_view text, char separator)
{
    std::vector<std::string> items;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find(separator, begin), text.size());
        items.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return items;
}

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
