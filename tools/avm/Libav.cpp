#include "Libav.h"

#include "common/ToolError.h"

#include <cstdio>
#include <cstring>

namespace avm {

namespace {

std::string lastError;
bool rejectedOption = false;

void LogCallback(void* object, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_WARNING)
        return;
    char line[1024];
    int prefix = 0;
    av_log_format_line(object, level, format, arguments, line, sizeof line, &prefix);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    // x264 and SVT-AV1 say "Error parsing option", x265 the other two.
    bool rejected = text.find("Error parsing option") != std::string::npos ||
                    text.find("Unknown option: ") != std::string::npos ||
                    text.find("Invalid value for ") != std::string::npos;
    if (rejected)
        rejectedOption = true;
    if ((level <= AV_LOG_ERROR || rejected) && !text.empty())
        lastError = text;
}

}  // namespace

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

int Check(int code, const std::string& what)
{
    if (code < 0) {
        std::string detail = TakeLibraryError();
        throw tools::ToolError(what + ": " + ErrorText(code) + (detail.empty() ? "" : " (" + detail + ")"));
    }
    return code;
}

void CaptureLibraryLog()
{
    av_log_set_callback(LogCallback);
}

std::string TakeLibraryError()
{
    std::string text;
    text.swap(lastError);
    return text;
}

bool LibraryRejectedAnOption()
{
    bool rejected = rejectedOption;
    rejectedOption = false;
    return rejected;
}

FramePtr NewFrame()
{
    FramePtr frame(av_frame_alloc());
    if (!frame)
        throw tools::ToolError("out of memory");
    return frame;
}

PacketPtr NewPacket()
{
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        throw tools::ToolError("out of memory");
    return packet;
}

}  // namespace avm
