// The fixed-width names the zip format's fields are written in.
#pragma once

#include "platform/sys/Types.h"

using sys::BYTE;
using sys::DWORD;
using sys::LONG;
using sys::UINT;
using sys::WORD;
