#include "PrivateProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <strings.h>

namespace ini {

namespace {

std::string Trim(const std::string& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

// The index key of a section and key name, case-folded as SameName compares.
std::string FoldedName(const std::string& section, const std::string& key)
{
    std::string name = section + '\n' + key;
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool WriteAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t written = ::write(fd, data.data() + done, data.size() - done);
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

PrivateProfile::PrivateProfile(std::string path) : path_(std::move(path))
{
    std::ifstream in(path_, std::ios::binary);
    std::string text;
    std::string section;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        Line line{text, "", "", ""};
        std::string trimmed = Trim(text);
        if (!trimmed.empty() && trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            section = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            line.section = section;
        } else if (!trimmed.empty() && trimmed.front() != ';') {
            std::size_t equals = trimmed.find('=');
            if (equals != std::string::npos && equals > 0) {
                line.section = section;
                line.key = Trim(trimmed.substr(0, equals));
                line.value = Unquote(Trim(trimmed.substr(equals + 1)));
            }
        }
        lines_.push_back(std::move(line));
    }
}

int PrivateProfile::FindKeyLine(const std::string& section, const std::string& key) const
{
    if (keyLines_.empty())
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (!lines_[i].key.empty())
                keyLines_.emplace(FoldedName(lines_[i].section, lines_[i].key), static_cast<int>(i));
    const auto found = keyLines_.find(FoldedName(Trim(section), Trim(key)));
    return found == keyLines_.end() ? -1 : found->second;
}

// Index just after the last key line of the section's first occurrence,
// or -1 when the section has no header.
int PrivateProfile::FindSectionEnd(const std::string& section) const
{
    const std::string wanted = Trim(section);
    int end = -1;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        bool header = line.key.empty() && !line.section.empty();
        if (end < 0) {
            if (header && SameName(line.section, wanted))
                end = static_cast<int>(i) + 1;
        } else if (header) {
            break;
        } else if (!line.key.empty()) {
            end = static_cast<int>(i) + 1;
        }
    }
    return end;
}

std::string PrivateProfile::GetString(const std::string& section, const std::string& key, const std::string& fallback,
                                      std::size_t maxLength) const
{
    int index = FindKeyLine(section, key);
    std::string value = index < 0 ? fallback : lines_[index].value;
    return value.substr(0, maxLength);
}

int PrivateProfile::GetInt(const std::string& section, const std::string& key, int fallback) const
{
    int index = FindKeyLine(section, key);
    if (index < 0)
        return fallback;
    return static_cast<int>(std::strtol(lines_[index].value.c_str(), nullptr, 10));
}

bool PrivateProfile::HasKey(const std::string& section, const std::string& key) const
{
    return FindKeyLine(section, key) >= 0;
}

std::vector<std::string> PrivateProfile::SectionNames() const
{
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (!line.key.empty() || line.section.empty())
            continue;
        bool seen = false;
        for (const std::string& name : names)
            seen = seen || SameName(name, line.section);
        if (!seen)
            names.push_back(line.section);
    }
    return names;
}

void PrivateProfile::SetString(const std::string& section, const std::string& key, const std::string& text)
{
    // A line break would end the line early and let the rest pose as keys.
    const std::string value = text.substr(0, text.find_first_of("\r\n"));
    const std::string sectionName = Trim(section), keyName = Trim(key);
    Line line{keyName + "=" + value, sectionName, keyName, value};
    int index = FindKeyLine(sectionName, keyName);
    if (index >= 0) {
        line.key = lines_[index].key;
        line.section = lines_[index].section;
        line.text = line.key + "=" + value;
        lines_[index] = std::move(line);
        return;
    }
    int end = FindSectionEnd(sectionName);
    if (end < 0) {
        lines_.push_back({"[" + sectionName + "]", sectionName, "", ""});
        end = static_cast<int>(lines_.size());
    }
    for (auto& entry : keyLines_)
        if (entry.second >= end)
            ++entry.second;
    keyLines_.emplace(FoldedName(sectionName, keyName), end);
    lines_.insert(lines_.begin() + end, std::move(line));
}

void PrivateProfile::SetInt(const std::string& section, const std::string& key, int value)
{
    SetString(section, key, std::to_string(value));
}

bool PrivateProfile::Save() const
{
    std::string data;
    for (const Line& line : lines_)
        data += line.text + "\r\n";

    std::string temp = path_ + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // A new file is private to its user (it holds the user's settings); an
    // existing one keeps the mode it was given.
    struct stat old;
    ::fchmod(fd, ::stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600);
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path_.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                    const std::string& path, std::size_t maxLength)
{
    return PrivateProfile(path).GetString(section, key, fallback, maxLength);
}

int GetPrivateProfileInt(const std::string& section, const std::string& key, int fallback, const std::string& path)
{
    return PrivateProfile(path).GetInt(section, key, fallback);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path)
{
    PrivateProfile profile(path);
    profile.SetString(section, key, value);
    return profile.Save();
}

}  // namespace ini
