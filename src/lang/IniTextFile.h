#pragma once
// A line-based INI reader holding a whole file in memory, for the UI texts.
// Names are compared byte-wise and case-sensitively; lists keep file order
// and lookups take the first match.
#include <string>
#include <vector>

namespace lang {

class IniTextFile {
public:
    // False when the file does not exist (the table is left as it was) or
    // cannot be opened (the table is then empty).
    bool LoadFile(const std::string& path);
    // The stored text, or "" when the section or key is missing.
    std::string GetValue(const std::string& section, const std::string& key);
    // Stores a text; with create unset, false when the section or key is missing.
    bool SetValue(const std::string& section, const std::string& key, const std::string& text, bool create);

    const std::string& Path() const { return path_; }
    const std::string& LastError() const { return lastError_; }

private:
    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> texts;
    };

    Section* FindSection(const std::string& name);
    static int FindKey(const Section& section, const std::string& key);

    std::string path_;
    std::string lastError_;
    std::vector<Section> sections_;
};

// The one table of UI texts of the running program.
IniTextFile& LanguageTable();

// Shorthand for LanguageTable().GetValue(section, key).
std::string Text(const std::string& section, const std::string& key);

}  // namespace lang
