#include "SubtitleCharsets.h"

#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "platform/SystemLanguage.h"

#include <algorithm>

namespace engine {

namespace {

const std::vector<SubtitleCharset> kCharsets = {
    {"Western Europe (ANSI_CHARSET)", "CP1252", {"ARIAL.TTF", "verdana.TTF", "MICROSS.TTF"}},
    {"Arabic (ARABIC_CHARSET)", "CP1256", {"trado.ttf", "artro.ttf", "andlso.ttf", "simpo.ttf"}},
    {"Baltic (BALTIC_CHARSET)", "CP1257", {"ARIAL.TTF", "COUR.TTF"}},
    {"East Europe (EASTEUROPE_CHARSET)", "CP1250", {"ARIAL.TTF", "COUR.TTF"}},
    {"Greek (GREEK_CHARSET)", "CP1253", {"ARIAL.TTF", "COUR.TTF"}},
    {"Hebrew (HEBREW_CHARSET)", "CP1255", {"frank.ttf", "mriam.ttf", "nrkis.ttf", "rod.ttf", "ahronbd.ttf"}},
    {"Japanese (SHIFTJIS_CHARSET)", "CP932", {"MSMINCHO.TTC", "MSGOTHIC.TTC"}},
    {"Korean (JOHAB_CHARSET)", "CP949", {"GULIM.TTC", "BATANG.TTC"}},
    {"Russian (RUSSIAN_CHARSET)", "CP1251", {"ARIAL.TTF", "COUR.TTF"}},
    {"Simplified Chinese (GB2312_CHARSET)", "CP936", {"simhei.ttf", "simsun.ttc"}},
    {"Thai (THAI_CHARSET)", "CP874", {"ANGSAU.TTF", "BROWAU.TTF", "CORDIAU.TTF", "UPCDL.TTF", "UPCEL.TTF"}},
    {"Traditional Chinese (CHINESEBIG5_CHARSET)", "CP950", {"KAIU.TTF", "mingliu.ttc"}},
    {"Turkish (TURKISH_CHARSET)", "CP1254", {"ARIAL.TTF", "COUR.TTF"}},
    {"Unicode (UTF-8)", "UTF-8", {"ARIAL.TTF", "MICROSS.TTF", "COUR.TTF"}},
};

struct LanguageRow {
    int languageId;
    int row;
};

constexpr LanguageRow kDefaultRows[] = {
    {0x0401, 1}, {0x0801, 1}, {0x0C01, 1}, {0x1001, 1}, {0x1401, 1}, {0x1801, 1}, {0x1C01, 1}, {0x2001, 1},
    {0x2401, 1}, {0x2801, 1}, {0x2C01, 1}, {0x3001, 1}, {0x3401, 1}, {0x3801, 1}, {0x3C01, 1}, {0x4001, 1},
    {0x0426, 2}, {0x0427, 2}, {0x0402, 3}, {0x0405, 3}, {0x040E, 3}, {0x0415, 3}, {0x0418, 3}, {0x041C, 3},
    {0x0C1A, 3}, {0x0408, 4}, {0x040D, 5}, {0x0411, 6}, {0x0412, 7}, {0x0419, 8}, {0x0804, 9}, {0x041E, 10},
    {0x0404, 11}, {0x0C04, 11}, {0x1004, 11}, {0x041F, 12},
};

}  // namespace

std::span<const SubtitleCharset> SubtitleCharsets()
{
    return kCharsets;
}

int DefaultCharset(int languageId)
{
    auto found = std::find_if(std::begin(kDefaultRows), std::end(kDefaultRows),
                              [languageId](const LanguageRow& entry) { return entry.languageId == languageId; });
    return found == std::end(kDefaultRows) ? 0 : found->row;
}

int DefaultCharset()
{
    return DefaultCharset(platform::SystemDefaultLangId());
}

ResolvedFont ResolveSubtitleFont(int row, const std::string& fontsFolder)
{
    const SubtitleCharset& charset = kCharsets[row >= 0 && row < kCharsetCount ? row : 0];
    ResolvedFont resolved{charset.codePage, ""};
    for (const char* candidate : charset.fontCandidates) {
        if (app::FileExists(fontsFolder + candidate)) {
            resolved.fontFile = candidate;
            break;
        }
    }
    return resolved;
}

ResolvedFont ResolveSubtitleFont(int row)
{
    return ResolveSubtitleFont(row, app::WindowsDirectory() + "fonts/");
}

bool ResolveSubtitleFont(int row, app::UserDialogs& dialogs, ResolvedFont& font)
{
    font = ResolveSubtitleFont(row);
    if (!font.fontFile.empty())
        return true;
    dialogs.Report({app::NoticeId::SubtitleFontMissing});
    return false;
}

}  // namespace engine
