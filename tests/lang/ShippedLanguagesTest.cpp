#include "lang/IniTextFile.h"
#include "lang/LanguageKeys.h"

#include <gtest/gtest.h>

#include <filesystem>

// Every shipped language file answers every key the program asks for.
TEST(ShippedLanguages, HoldEveryRequiredKey)
{
    const std::filesystem::path folder = std::string(SOURCE_DIR) + "data/Languages";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".ini")
            continue;
        ++files;
        lang::IniTextFile file;
        ASSERT_TRUE(file.LoadFile(entry.path().string()));
        for (const lang::LanguageKey& key : lang::RequiredLanguageKeys())
            EXPECT_FALSE(file.GetValue(key.section, key.key).empty())
                << entry.path().filename() << " lacks [" << key.section << "] " << key.key;
    }
    EXPECT_GE(files, 2);
}
