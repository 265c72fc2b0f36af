// DOS date and time fields of entries, in local time as the format keeps them.
#pragma once

#include <ctime>

#include "zip/ZipTypes.h"

namespace ZipDosTime {

std::time_t ToTime(WORD date, WORD time);
void FromTime(std::time_t t, WORD& date, WORD& time);

}  // namespace ZipDosTime
