#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <thread>

#include "platform/hosting_timings.h"
#include "platform/platform_endpoints.h"

namespace hosting::platform {
namespace {

using namespace std::chrono_literals;

TEST(PlatformEndpointsTest, JoinsPathsWithOneSlashWhateverTheBaseEndsWith) {
  for (const char* base : {"http://h:1", "http://h:1/", "http://h:1//"}) {
    const PlatformEndpoints endpoints{base, base, ""};
    EXPECT_EQ(endpoints.PlatformUrl("pageController.do?goLogin"),
              "http://h:1/custody/pageController.do?goLogin");
    EXPECT_EQ(endpoints.VersionApiUrl(), "http://h:1/api/");
  }
}

TEST(PauseTest, RunsItsFullTimeUnlessStopped) {
  const std::stop_source never;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Pause(20ms, never.get_token()));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);

  std::stop_source stop;
  std::jthread stopper([&stop] { stop.request_stop(); });
  EXPECT_FALSE(Pause(std::chrono::hours(1), stop.get_token()));  // returns once stop is requested

  std::stop_source already;
  already.request_stop();
  EXPECT_FALSE(Pause(std::chrono::hours(1), already.get_token()));
}

}  // namespace
}  // namespace hosting::platform
