#include "SubtitleOptions.h"

#include "lang/IniTextFile.h"

#include <QComboBox>

namespace subtitle_options {

namespace {

constexpr int kSmallTextSize = 3;

}  // namespace

QString LanguageText(const char* section, const char* key)
{
    return QString::fromStdString(lang::Text(section, key));
}

void FillCharsetList(QComboBox* list, int charset)
{
    list->clear();
    for (const engine::SubtitleCharset& row : engine::SubtitleCharsets())
        list->addItem(QString::fromLatin1(row.listText));
    if (charset < 0 || charset >= engine::kCharsetCount)
        charset = engine::DefaultCharset();
    list->setCurrentIndex(charset);
}

void FillTextSizeList(QComboBox* list, int textSize)
{
    list->clear();
    for (const char* key : {"Small Text Size", "Normal Text Size", "Big Text Size"})
        list->addItem(LanguageText("PropertiesDialog", key));
    list->setCurrentIndex(textSize - kSmallTextSize);
}

int ChosenTextSize(const QComboBox* list)
{
    return list->currentIndex() + kSmallTextSize;
}

void SubtitleStyle::ApplyTo(engine::SourceItem& item) const
{
    item.subtitleCodePage = codePage;
    item.subtitleFont = fontFile;
    item.subtitleCharset = charset;
    item.subtitleTextSize = textSize;
}

bool ReadChosenStyle(const QComboBox* charsetList, const QComboBox* textSizeList, app::UserDialogs& dialogs,
                     SubtitleStyle& style)
{
    engine::ResolvedFont font;
    const bool found = engine::ResolveSubtitleFont(charsetList->currentIndex(), dialogs, font);
    style.codePage = font.codePage;
    if (!found)
        return false;
    style.fontFile = font.fontFile;
    style.charset = charsetList->currentIndex();
    style.textSize = ChosenTextSize(textSizeList);
    return true;
}

}  // namespace subtitle_options
