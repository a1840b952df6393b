// Every shipped language has an installed font for each of its characters,
// so that no window shows boxes in its place.
#include "support/ShippedLanguages.h"

#include <fontconfig/fontconfig.h>

#include <gtest/gtest.h>

#include <QString>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// The code points of a UTF-8 file.
std::set<char32_t> Characters(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<char32_t> characters;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (code >= 0x20)
            characters.insert(code);
        i += static_cast<std::size_t>(length);
    }
    return characters;
}

}  // namespace

// fontconfig has a font for every character a language file uses.
TEST(LanguageFonts, InstalledFontsCoverEveryCharacterOfEveryLanguage)
{
    ASSERT_TRUE(FcInit());
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_CHARSET, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    ASSERT_NE(fonts, nullptr);
    FcCharSet* covered = FcCharSetCreate();
    for (int i = 0; i < fonts->nfont; ++i) {
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &charset) == FcResultMatch)
            FcCharSetMerge(covered, charset, nullptr);
    }
    for (const fs::path& language : testing_support::ShippedLanguageFiles()) {
        std::string missing;
        for (char32_t code : Characters(language))
            if (!FcCharSetHasChar(covered, code))
                missing += " U+" + QString::number(static_cast<uint>(code), 16).toUpper().toStdString();
        EXPECT_EQ(missing, "") << language.filename();
    }
    FcCharSetDestroy(covered);
    FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
}
