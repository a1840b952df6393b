#pragma once
// A picture's width and height in pixels; 0 when unknown.
#include <cstdint>

namespace engine {

struct FrameSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

}  // namespace engine
