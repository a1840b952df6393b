#include "DecodeScript.h"

#include "app/Application.h"
#include "app/Utilities.h"
#include "platform/RunNames.h"

#include <fcntl.h>
#include <unistd.h>

namespace engine {

namespace {

std::string ScriptPathWith(const std::string& suffix)
{
    const std::string& orderPage = app::Application().product.orderPage;
    std::string tag = orderPage.size() > 5 ? orderPage.substr(orderPage.size() - 5) : orderPage;
    return app::SystemDirectory() + "temp_0000_" + tag + suffix + ".qvz";
}

}  // namespace

std::string DecodeScriptPath()
{
    return ScriptPathWith("");
}

std::string ProbeScriptPath(const std::string& recordName)
{
    const std::string shared = platform::SharedNameOfRecord(recordName);
    const std::string run = shared.size() < recordName.size() ? recordName.substr(shared.size() + 1) : recordName;
    return ScriptPathWith("_" + app::FileNameSafe(run));
}

bool ScriptCanName(const std::string& sourcePath)
{
    return sourcePath.find_first_of("\r\n") == std::string::npos;
}

std::string DecodeScriptText(const std::string& sourcePath)
{
    return "DirectShowSource(\"" + app::DoubleBackslashes(sourcePath) + "\",fps=30.0,convertfps=true)\n"
           "Subtitle(\" \",size=12,x=-1,y=-1)";
}

int WriteDecodeScript(const std::string& sourcePath, const std::string& scriptPath)
{
    const std::string text = DecodeScriptText(sourcePath);
    // Always a new file of this user's, closed to others: the encoder reads
    // no other as a script.
    ::unlink(scriptPath.c_str());
    int fd = ::open(scriptPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return 0;
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    bool closed = ::close(fd) == 0;
    return written && closed ? 1 : 0;
}

}  // namespace engine
