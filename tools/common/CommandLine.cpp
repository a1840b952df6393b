#include "CommandLine.h"

#include "ToolError.h"

#include <algorithm>

namespace tools {

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type begin = 0;
    while (true) {
        auto end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos)
            return parts;
        begin = end + 1;
    }
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, std::span<const OptionSpec> specs)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            line.inputs.push_back(arg);
            continue;
        }
        std::string name = arg.substr(1);
        auto spec = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end())
            throw ToolError("unknown option " + arg);
        if (!spec->takesValue) {
            line.options.push_back({name, ""});
            continue;
        }
        if (i + 1 >= args.size())
            throw ToolError("option " + arg + " needs a value");
        line.options.push_back({name, args[++i]});
    }
    return line;
}

std::vector<SubOption> ParseSubOptions(const std::string& text)
{
    std::vector<SubOption> options;
    if (text.empty())
        return options;
    for (const std::string& item : Split(text, ':')) {
        auto equals = item.find('=');
        SubOption option;
        option.key = item.substr(0, equals);
        if (equals != std::string::npos) {
            option.value = item.substr(equals + 1);
            option.hasValue = true;
        }
        if (option.key.empty())
            throw ToolError("empty name in sub-option list \"" + text + "\"");
        options.push_back(option);
    }
    return options;
}

std::vector<FilterSpec> ParseFilterChain(const std::string& text)
{
    std::vector<FilterSpec> chain;
    if (text.empty())
        return chain;
    for (const std::string& item : Split(text, ',')) {
        auto equals = item.find('=');
        FilterSpec filter;
        filter.name = item.substr(0, equals);
        if (equals != std::string::npos)
            filter.params = Split(item.substr(equals + 1), ':');
        if (filter.name.empty())
            throw ToolError("empty filter name in \"" + text + "\"");
        chain.push_back(filter);
    }
    return chain;
}

}  // namespace tools
