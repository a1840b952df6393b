#pragma once
// Cuts a helper program's output into lines. dvdauthor and vcdxbuild redraw
// their progress line with a carriage return, so "\r" ends a line as "\n" does.
#include <string>
#include <vector>

namespace authoring {

class OutputLines {
public:
    // The lines completed by chunk, without their ends; empty lines are dropped.
    std::vector<std::string> Feed(const std::string& chunk);
    // What is left after the output has ended: the last line when it had no end.
    std::string Rest();

private:
    std::string pending_;
};

}  // namespace authoring
