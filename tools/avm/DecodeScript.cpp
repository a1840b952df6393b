#include "DecodeScript.h"

#include "AvmOptions.h"
#include "common/ToolError.h"
#include "platform/PrivateTempFolder.h"
#include "platform/RunNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace avm {

namespace {

namespace fs = std::filesystem;

constexpr const char kOpening[] = "DirectShowSource(\"";
constexpr std::string_view kNameStart = "temp_0000_";
constexpr std::string_view kNameEnd = ".qvz";
// A script is a line or two; media files are far larger.
constexpr std::size_t kLongestScript = 8192;

std::string UndoubleBackslashes(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
            ++i;
    }
    return result;
}

bool IsPrivateTempFolderOfRun(const fs::path& folder, const std::string& recordName)
{
    const std::string own = platform::PrivateTempFolder(platform::SharedNameOfRecord(recordName));
    if (own.empty())
        return false;
    std::error_code error, ownError;
    const fs::path canonical = fs::canonical(folder.empty() ? fs::path(".") : folder, error);
    const fs::path ownCanonical = fs::canonical(own, ownError);
    return !error && !ownError && canonical == ownCanonical;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

bool IsOwnPrivateFile(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Up to `limit` bytes; more than that gives limit + 1.
std::string ReadStart(int fd, std::size_t limit)
{
    std::string text(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    text.resize(filled);
    return text;
}

}  // namespace

bool IsDecodeScriptName(const std::string& fileName)
{
    const std::string_view name = fileName;
    return name.size() >= kNameStart.size() + kNameEnd.size() && name.substr(0, kNameStart.size()) == kNameStart &&
           name.substr(name.size() - kNameEnd.size()) == kNameEnd;
}

std::optional<DecodeScript> ParseDecodeScript(const std::string& text)
{
    if (text.rfind(kOpening, 0) != 0)
        return std::nullopt;
    std::string line = text.substr(0, text.find('\n'));
    // The path ends at the last quote of the line, so a quote inside it survives.
    auto closing = line.rfind('"');
    if (closing < sizeof kOpening - 1)
        throw tools::ToolError("decode script without a closing quote after the file name");
    DecodeScript script;
    script.sourcePath = UndoubleBackslashes(line.substr(sizeof kOpening - 1, closing - (sizeof kOpening - 1)));
    if (script.sourcePath.empty())
        throw tools::ToolError("decode script names no file");
    std::string rest = line.substr(closing + 1);
    auto fps = rest.find("fps=");
    if (fps != std::string::npos) {
        auto end = rest.find_first_of(",)", fps);
        script.frameRate = ParseFrameRate(rest.substr(fps + 4, end - fps - 4), "the decode script's fps");
    }
    return script;
}

std::optional<DecodeScript> ReadOwnDecodeScript(const std::string& path, const std::string& recordName)
{
    const fs::path file(path);
    if (!IsDecodeScriptName(file.filename().string()))
        return std::nullopt;
    FileDescriptor script(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (script.Get() < 0 || !IsOwnPrivateFile(script.Get()) ||
        !IsPrivateTempFolderOfRun(file.parent_path(), recordName))
        return std::nullopt;
    const std::string text = ReadStart(script.Get(), kLongestScript);
    if (text.size() > kLongestScript && text.rfind(kOpening, 0) == 0)
        throw tools::ToolError("decode script " + path + " is too long");
    return ParseDecodeScript(text);
}

}  // namespace avm
