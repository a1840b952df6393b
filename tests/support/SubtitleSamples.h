#pragma once
// Subtitle files with a few cues of everyday speech, as a translator would
// save them in the charset of the language.
#include <string>

namespace testing_support {

// Three SubRip cues with the given lines, the third of them two lines long.
std::string SubRipCues(const std::string& first, const std::string& second, const std::string& third);

extern const std::string kRussianCues;
extern const std::string kGreekCues;
extern const std::string kJapaneseCues;
extern const std::string kChineseCues;

// utf8 converted into codePage (an iconv name) by iconv; fails the test and
// returns "" when a character has no code there.
std::string Encoded(const std::string& utf8, const char* codePage);

}  // namespace testing_support
