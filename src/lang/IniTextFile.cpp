#include "IniTextFile.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>

namespace lang {

namespace {

constexpr std::size_t kMaxLineLength = 2047;

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string TrimRight(std::string text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    return text;
}

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    return TrimRight(text.substr(begin));
}

// Reads one line without its line feed (and a carriage return before it).
// Returns false at the end of the file.
bool ReadLine(std::FILE* file, std::string& line)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (c == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

}  // namespace

bool IniTextFile::LoadFile(const std::string& path)
{
    path_ = path;
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return false;
    sections_.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        lastError_ = "Unable to open file: \"" + path + "\"!!";
        return false;
    }
    std::string section;
    std::string line;
    while (ReadLine(file, line)) {
        if (line.size() > kMaxLineLength)
            break;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            std::size_t begin = line.find_first_not_of('[');
            std::size_t end = line.find_last_not_of(']');
            section = (begin == std::string::npos || end < begin) ? "" : line.substr(begin, end - begin + 1);
            if (!FindSection(section))
                sections_.push_back({section, {}, {}});
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        SetValue(section, line.substr(0, equals), line.substr(equals + 1), true);
    }
    std::fclose(file);
    return true;
}

std::string IniTextFile::GetValue(const std::string& section, const std::string& key)
{
    Section* found = FindSection(section);
    if (!found) {
        lastError_ = "Unable to locate specified key: [" + section + "]";
        return "";
    }
    int index = FindKey(*found, key);
    if (index < 0) {
        lastError_ = "Unable to locate specified value: " + TrimRight(key) + ".";
        return "";
    }
    return found->texts[index];
}

bool IniTextFile::SetValue(const std::string& section, const std::string& key, const std::string& text, bool create)
{
    Section* found = FindSection(section);
    if (!found) {
        if (!create)
            return false;
        sections_.push_back({section, {}, {}});
        found = &sections_.back();
    }
    int index = FindKey(*found, key);
    if (index < 0) {
        if (!create)
            return false;
        found->keys.push_back(key);
        found->texts.emplace_back();
        index = static_cast<int>(found->keys.size()) - 1;
    }
    found->texts[index] = text;
    return true;
}

IniTextFile::Section* IniTextFile::FindSection(const std::string& name)
{
    for (Section& section : sections_)
        if (section.name == name)
            return &section;
    return nullptr;
}

int IniTextFile::FindKey(const Section& section, const std::string& key)
{
    const std::string wanted = TrimRight(key);
    for (std::size_t i = 0; i < section.keys.size(); ++i)
        if (Trim(section.keys[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

IniTextFile& LanguageTable()
{
    static IniTextFile table;
    return table;
}

std::string Text(const std::string& section, const std::string& key)
{
    return LanguageTable().GetValue(section, key);
}

}  // namespace lang
