#include "hostile/hostile_fixture.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "app/settings_file.h"
#include "platform/platform_requests.h"

namespace hosting::hostile {
namespace {

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A cookie text as its set of "name=value" pairs.
std::set<std::string> CookiePairs(const std::string& text) {
  std::set<std::string> pairs;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find("; ", start), text.size());
    pairs.insert(text.substr(start, end - start));
    start = end + 2;
  }
  return pairs;
}

}  // namespace

void HostileFlowTest::Serve(int acceptedFirst) {
  platform =
      std::make_unique<HostilePlatform>(kind(), HostileScope{.acceptedFirst = acceptedFirst});
  bed.context.endpoints.platformBaseUrl = platform->BaseUrl();
  bed.context.endpoints.versionServiceUrl = platform->BaseUrl();
  // Only a silent server waits out the time-out; a short one keeps those cases short. The others
  // keep the member's, so a 50 MB answer under a slow (sanitized) build is not cut short.
  if (kind() == Hostility::kSilent) {
    bed.context.requestTimeout = std::chrono::seconds(1);
  }
  bed.context.timings.retryAttempts = 2;
  bed.context.timings.pollGrace = std::chrono::minutes(1);  // polls end with the test
  if (settingsBefore_.empty()) {
    app::WriteSetting(bed.settingsFile(), app::kSettingsSection, app::kUserNameKey, "老用户");
    app::WriteSetting(bed.settingsFile(), app::kSettingsSection, app::kPasswordKey, "old pw");
    settingsBefore_ = FileBytes(bed.settingsFile());
    bed.cookie.Replace(kSessionBefore);
  }
}

void HostileFlowTest::TearDown() {
  bed.Finish();
  if (!settingsMayChange) {
    ExpectSettingsUnchanged();
  }
  ExpectWholeCookie();
}

bool HostileFlowTest::Is(std::initializer_list<Hostility> kinds) const {
  return std::find(kinds.begin(), kinds.end(), kind()) != kinds.end();
}

void HostileFlowTest::ExpectWholeCookie() const {
  const std::string& before = sessionBefore;
  const std::string now = bed.cookie.Read();
  const std::set<std::string> pairs = CookiePairs(now);
  std::set<std::string> flooded = CookiePairs(before);
  for (const std::string& cookie : FloodCookies()) {
    flooded.insert(cookie);
  }
  EXPECT_TRUE(pairs == CookiePairs(before) || pairs == flooded)
      << "SessionCookie holds " << pairs.size() << " pairs, " << now.size() << " bytes; it begins "
      << now.substr(0, 120);
}

void HostileFlowTest::ExpectSettingsUnchanged() const {
  EXPECT_EQ(FileBytes(bed.settingsFile()), settingsBefore_);
}

void HostileFlowTest::ExpectAnswerShownAndClosed(const std::vector<platform::Message>& messages,
                                                 const std::string& confirmation) const {
  ASSERT_EQ(messages.size(), 1U);
  const std::string& shown = messages.front().text;
  if (Is({Hostility::kCookieFlood})) {
    EXPECT_EQ(shown, confirmation);
  } else if (Is({Hostility::kRefused, Hostility::kSilent})) {
    EXPECT_EQ(shown, "");
  } else if (Is({Hostility::kHugeBody, Hostility::kDeepNesting, Hostility::kManyRows})) {
    EXPECT_EQ(shown.size(), platform::kShownAnswerBytes + std::string("…").size());
    EXPECT_TRUE(shown.ends_with("…"));
  } else {
    EXPECT_LE(shown.size(), platform::kShownAnswerBytes);
    EXPECT_NE(shown, confirmation);
  }
  EXPECT_EQ(bed.log.Events().back(), "dialog closed");
}

std::string RefusalText(Hostility kind) {
  switch (kind) {
    case Hostility::kBadUtf8:
      return kReplacement + kReplacement + "坏";
    case Hostility::kBadGbk:
      return kReplacement + " " + kReplacement;
    case Hostility::kNumbersForTexts:
      return "404";
    case Hostility::kObjectForList:
      return R"(["登录成功"])";
    default:
      return {};
  }
}

std::string KindName(const ::testing::TestParamInfo<Hostility>& info) {
  return Name(info.param);
}

}  // namespace hosting::hostile
