#pragma once
// Command lines of the engine tools. Each tool gets its options as a list
// of arguments (its argv after the program name): template words, and every
// path as an argument of its own, so no name is ever quoted and split again.
// The one-line text form is only for logs and tests.
#include <string>
#include <string_view>
#include <vector>

namespace engine {

using Arguments = std::vector<std::string>;

// The words of a profile's command template: blanks and tabs separate them.
// Templates hold options only, never paths or quotes.
Arguments SplitWords(std::string_view text);

// The items of an option value separated by separator ("a=1:b" at ':',
// a filter chain at ','), empty ones included, in order.
std::vector<std::string> SplitItems(std::string_view text, char separator);

// Appends the words of text (SplitWords) to arguments.
void AppendWords(Arguments& arguments, std::string_view text);

// {"-sfm", recordName}: the options every tool line begins with.
Arguments RecordNameArguments(const std::string& recordName);

// The arguments as one readable line, each preceded by a blank; arguments
// that hold blanks, quotes or backslashes, and empty ones, are shown in
// double quotes with quotes and backslashes before them escaped.
std::string CommandText(const Arguments& arguments);

}  // namespace engine
