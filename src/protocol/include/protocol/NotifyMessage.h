#pragma once
// The messages an engine tool sends to the program's window, one datagram
// each: three little-endian 32-bit words, the message id, wParam and lParam.
#include <array>
#include <bit>
#include <cstdint>

namespace engine {

static_assert(std::endian::native == std::endian::little, "the datagram is little-endian");

// Progress: wParam is the stage, lParam how far it has got.
inline constexpr std::uint32_t kProgressMessage = 0x720;

struct NotifyMessage {
    std::uint32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
};

// The datagram as it travels, its words in the machine's little-endian order.
using NotifyDatagram = std::array<std::uint32_t, 3>;

inline NotifyDatagram EncodeNotifyMessage(const NotifyMessage& message)
{
    return {message.message, static_cast<std::uint32_t>(message.wParam), static_cast<std::uint32_t>(message.lParam)};
}

inline NotifyMessage DecodeNotifyMessage(const NotifyDatagram& datagram)
{
    return {datagram[0], static_cast<std::int32_t>(datagram[1]), static_cast<std::int32_t>(datagram[2])};
}

}  // namespace engine
