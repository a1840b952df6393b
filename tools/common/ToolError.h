#pragma once
// A failure that ends a tool's run: the text becomes the one line in its log.
#include <stdexcept>
#include <string>

namespace tools {

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tools
