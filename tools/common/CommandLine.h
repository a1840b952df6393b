#pragma once
// MEncoder option syntax: "-name value" or "-name" for flags, anything else
// an input file; values may hold sub-option lists ("a=1:b:c=x") or filter
// chains ("scale=720:-3,expand=720:400").
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct OptionSpec {
    std::string_view name;  // without the leading '-'
    bool takesValue;
};

struct CommandOption {
    std::string name;
    std::string value;
};

struct CommandLine {
    std::vector<CommandOption> options;  // in the order given
    std::vector<std::string> inputs;     // every argument that is not an option
};

// Throws ToolError on an option not in `specs` or a value missing at the end.
CommandLine ParseCommandLine(const std::vector<std::string>& args, std::span<const OptionSpec> specs);

struct SubOption {
    std::string key;
    std::string value;
    bool hasValue = false;
};

// "vcodec=mpeg4:vbitrate=800:v4mv" -> {vcodec,mpeg4} {vbitrate,800} {v4mv}.
// Throws ToolError on an empty key ("a::b", "=3").
std::vector<SubOption> ParseSubOptions(const std::string& text);

struct FilterSpec {
    std::string name;
    std::vector<std::string> params;
};

// "scale=720:-3,expand=720:400,harddup" -> three filters with their
// ':'-separated parameters. Throws ToolError on an empty filter name.
std::vector<FilterSpec> ParseFilterChain(const std::string& text);

}  // namespace tools
