#pragma once
// The charset and text-size lists shared by the subtitle and properties
// windows, and the font check both make before they close.
#include "engine/SubtitleCharsets.h"

#include <QString>

class QComboBox;

namespace app {
class UserDialogs;
}

namespace subtitle_options {

// Fills the 13 charset rows and selects charset, or the system's default
// row when charset is not a valid row.
void FillCharsetList(QComboBox* list, int charset);
// Fills the three sizes and selects textSize (3 small, 4 normal, 5 big).
void FillTextSizeList(QComboBox* list, int textSize);
int ChosenTextSize(const QComboBox* list);

// Resolves the font of the chosen charset row; tells the user and returns
// false when none of its fonts is installed.
bool ResolveChosenFont(const QComboBox* charsetList, app::UserDialogs& dialogs, engine::ResolvedFont& font);

QString LanguageText(const char* section, const char* key);

}  // namespace subtitle_options
