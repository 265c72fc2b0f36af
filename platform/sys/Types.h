// Fixed-width names for the sizes the file formats and the window system use.
#pragma once

#include <cstdint>

namespace sys {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;

}  // namespace sys
