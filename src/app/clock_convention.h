#pragma once
// How the member's locale writes a time of day, read from the system locale.

#include "platform/platform_time.h"

namespace hosting::app {

platform::ClockConvention SystemClockConvention();

}  // namespace hosting::app
