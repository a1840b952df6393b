#pragma once
#include <string>

namespace avm {

// The family name inside a font file (as the subtitle renderer matches it).
// Throws ToolError when the file is missing or is not a font.
std::string FontFamily(const std::string& fontFile);

}  // namespace avm
