#pragma once
// Command lines of the engine tools. The program builds each tool's options
// as one line of text; that line is split into the tool's argv by the
// Windows command-line rules, so a path in double quotes stays one argument.
#include <string>
#include <vector>

namespace engine {

// Splits argument text the way CommandLineToArgvW splits the part after the
// program name:
// - blanks and tabs outside double quotes separate arguments;
// - a double quote starts or ends a quoted part (blanks in it are kept);
// - 2n backslashes before a quote give n backslashes and the quote acts as
//   above; 2n+1 backslashes before a quote give n backslashes and a literal quote;
// - backslashes not followed by a quote are taken literally;
// - "" inside a quoted part gives one literal quote and ends the quoted part.
std::vector<std::string> SplitCommandLine(const std::string& text);

// text in double quotes, escaped so that SplitCommandLine gives back exactly
// text as one argument, whatever it holds (blanks, quotes, backslashes).
std::string QuoteArgument(const std::string& text);

// " -sfm <record name>", the option every tool line begins with; the name is
// quoted only when it would not survive the split bare.
std::string RecordNameOption(const std::string& recordName);

}  // namespace engine
