#pragma once

#include "sandbox/platform_context.h"

namespace sandbox {

inline constexpr const char* kDemoAccount = "demo";
inline constexpr const char* kDemoPassword = "demo123";

// Seeds the member demo / demo123 with a bound payout account, hosted accounts on- and offline,
// settlements of the last week (seconds and millisecond stamps, today's among them) and
// withdrawals in every status and payment state. Does nothing when demo already exists.
void SeedDemoData(PlatformContext& platform);

}  // namespace sandbox
