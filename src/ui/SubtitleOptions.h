#pragma once
// The charset and text-size lists shared by the subtitle and properties
// windows, and the font check both make before they close.
#include "engine/SourceItem.h"
#include "engine/SubtitleCharsets.h"

#include <QString>

#include <string>

class QComboBox;

namespace app {
class UserDialogs;
}

namespace subtitle_options {

// Fills the charset rows and selects charset, or the system's default
// row when charset is not a valid row.
void FillCharsetList(QComboBox* list, int charset);
// Fills the three sizes and selects textSize (3 small, 4 normal, 5 big).
void FillTextSizeList(QComboBox* list, int textSize);
int ChosenTextSize(const QComboBox* list);

// How a source's subtitles are read and drawn.
struct SubtitleStyle {
    std::string codePage;
    std::string fontFile;
    int charset = -1;
    int textSize = 4;

    void ApplyTo(engine::SourceItem& item) const;
};

// The chosen charset row and text size with the charset's code page and
// first installed font. The code page is set in any case; when none of the
// fonts is installed, the user is told and the result is false.
bool ReadChosenStyle(const QComboBox* charsetList, const QComboBox* textSizeList, app::UserDialogs& dialogs,
                     SubtitleStyle& style);

QString LanguageText(const char* section, const char* key);

}  // namespace subtitle_options
