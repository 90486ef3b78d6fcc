// Status values of the capture engine and of the profile list: 0 is success, errors carry
// the 0xC000 bits.
#pragma once

#include <cstdint>

namespace kx {

using CaptureStatus = uint32_t;

inline constexpr CaptureStatus kStatusOk = 0;
inline constexpr CaptureStatus kStatusFailed = 0xC000;  // grab, clipboard or output type
inline constexpr CaptureStatus kStatusAccessDenied = 0xC001;
inline constexpr CaptureStatus kStatusOutOfMemory = 0xC100;
inline constexpr CaptureStatus kStatusWriteFailed = 0xC201;  // no image, or any other failure
inline constexpr CaptureStatus kStatusNoEncoder = 0xC300;
inline constexpr CaptureStatus kStatusSameProfileExists = 0xC400;
inline constexpr CaptureStatus kStatusSameNameExists = 0xC401;

}  // namespace kx
