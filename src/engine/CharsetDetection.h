#pragma once
// Which row of the subtitle charset list a subtitle file is written in,
// judged from the start of the file, and text of a code page as UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// How much of a subtitle file detection and the preview read.
inline constexpr std::size_t kSubtitleSampleBytes = 64 * 1024;

// Up to kSubtitleSampleBytes from the start of the file; nullopt when it
// cannot be read.
std::optional<std::string> ReadSubtitleStart(const std::string& path);

// The charset row text is written in; nullopt for plain ASCII (every row
// reads it alike) and for a charset no row decodes.
std::optional<int> DetectCharsetRow(std::string_view text);
// The same for the start of a file; nullopt when it cannot be read.
std::optional<int> DetectSubtitleCharset(const std::string& path);

// text written in codePage (an iconv name such as CP1251) as UTF-8. A byte
// that does not decode becomes U+FFFD; a character cut off at the end is
// left out. "" for a code page iconv does not know.
std::string DecodeToUtf8(std::string_view text, const std::string& codePage);

}  // namespace engine
