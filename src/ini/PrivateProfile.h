#pragma once
// INI files with the rules of the Windows private-profile functions:
// section and key names match case-insensitively, blanks around names and
// values are trimmed, a value in matching quotes loses them, and every line
// the program does not touch (unknown sections, keys, comments) is kept.
// Saving writes a temp file beside the target and renames it over, so the
// file on disk is always either the old or the new whole file.
#include <string>
#include <unordered_map>
#include <vector>

namespace ini {

class PrivateProfile {
public:
    // Reads the file; a missing or unreadable file gives an empty profile.
    explicit PrivateProfile(std::string path);

    std::string GetString(const std::string& section, const std::string& key, const std::string& fallback,
                          std::size_t maxLength = 1023) const;
    int GetInt(const std::string& section, const std::string& key, int fallback) const;
    bool HasKey(const std::string& section, const std::string& key) const;
    std::vector<std::string> SectionNames() const;

    // Changes the copy in memory; Save() writes it. A value is cut at its
    // first line break.
    void SetString(const std::string& section, const std::string& key, const std::string& value);
    void SetInt(const std::string& section, const std::string& key, int value);

    bool Save() const;

    const std::string& Path() const { return path_; }

private:
    struct Line {
        std::string text;
        std::string section;  // set on header lines
        std::string key;      // set on key lines
        std::string value;
    };

    int FindKeyLine(const std::string& section, const std::string& key) const;
    int FindSectionEnd(const std::string& section) const;

    std::string path_;
    std::vector<Line> lines_;
    // First key line of each (section, key), by their case-folded names:
    // the profile catalogue reads thousands of keys from one file. Built on
    // the first lookup and kept up to date as lines are added.
    mutable std::unordered_map<std::string, int> keyLines_;
};

// One-call forms, each reading (and for writes, saving) the whole file.
std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                    const std::string& path, std::size_t maxLength = 1023);
int GetPrivateProfileInt(const std::string& section, const std::string& key, int fallback, const std::string& path);
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path);

}  // namespace ini
