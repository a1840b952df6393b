#pragma once
// The character sets a subtitle file may be written in: for each, the code
// page the encoder reads the text with and the font files, tried in order,
// that can show its script. The renderer takes letters a Unicode file's
// font lacks from other installed fonts.
#include <span>
#include <string>
#include <vector>

namespace app {
class UserDialogs;
}

namespace engine {

struct SubtitleCharset {
    const char* listText;
    const char* codePage;
    std::vector<const char*> fontCandidates;
};

std::span<const SubtitleCharset> SubtitleCharsets();

inline constexpr int kCharsetCount = 14;

// The row to preselect for a Windows language identifier.
int DefaultCharset(int languageId);
// The same for the system's default language.
int DefaultCharset();

struct ResolvedFont {
    std::string codePage;
    std::string fontFile;  // file name only; "" when no candidate is installed
};

// Code page of the row (row 0 for an invalid row) and the first of its font
// candidates that exists in fontsFolder (ending with '/').
ResolvedFont ResolveSubtitleFont(int row, const std::string& fontsFolder);
// The same in the program's fonts folder (WindowsDirectory() + "fonts/").
ResolvedFont ResolveSubtitleFont(int row);
// The same; reports the missing font and returns false when no font of the
// row is installed (font then still carries the row's code page).
bool ResolveSubtitleFont(int row, app::UserDialogs& dialogs, ResolvedFont& font);

}  // namespace engine
