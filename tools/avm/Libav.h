#pragma once
// Small helpers around the FFmpeg libraries: error texts, the library log,
// and owners that free their objects.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

#include <memory>
#include <string>

namespace avm {

// The library's text for an AVERROR code.
std::string ErrorText(int code);

// Throws ToolError("<what>: <library text>") when code < 0; returns code.
int Check(int code, const std::string& what);

// Routes the libraries' log into a buffer instead of the run's log, so that
// a failure can name the library's own reason in its single line.
void CaptureLibraryLog();
// The last error the libraries logged since the last call, or "".
std::string TakeLibraryError();
// True when a library logged that it ignored an option it could not parse.
bool LibraryRejectedAnOption();

struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct InputFree {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};

using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using InputPtr = std::unique_ptr<AVFormatContext, InputFree>;

FramePtr NewFrame();
PacketPtr NewPacket();

}  // namespace avm
