#include "ShippedLanguages.h"

#include <algorithm>
#include <fstream>

namespace testing_support {

std::vector<std::filesystem::path> ShippedLanguageFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(SOURCE_DIR "data/Languages"))
        if (entry.path().extension() == ".ini")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

LanguageTexts ReadLanguageTexts(const std::filesystem::path& path)
{
    LanguageTexts texts;
    std::ifstream in(path);
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            texts[{section, line.substr(0, equals)}] = line.substr(equals + 1);
    }
    return texts;
}

}  // namespace testing_support
