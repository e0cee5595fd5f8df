#include "flow_test_bed.h"

#include <gtest/gtest.h>

#include <random>

#include "net/transport.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"

namespace hosting::platform::testing {
namespace {

sandbox::SandboxConfig ForTests(sandbox::SandboxConfig config) {
  config.db = ":memory:";
  config.port = 0;
  config.versionPort = 0;
  config.fixedCaptcha = kCaptcha;
  // The test's own thread keeps its connection open; a short hold keeps each teardown short.
  config.keepAliveSeconds = 1;
  return config;
}

std::filesystem::path FreshDirectory() {
  std::random_device random;
  const auto directory = std::filesystem::temp_directory_path() /
                         ("platform-flows-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(directory);
  return directory;
}

}  // namespace

HostingTimings ShortTimings() {
  using std::chrono::milliseconds;
  HostingTimings timings;
  timings.retryWait = milliseconds(2);
  timings.retryGap = milliseconds(1);
  timings.pollInterval = milliseconds(5);
  timings.countdownTick = milliseconds(3);
  timings.pollGrace = milliseconds(1000);
  return timings;
}

CannedPlatform::CannedPlatform(std::string body)
    : server_([reply = net::testing::HttpReply(
                   "200 OK", {"Content-Type: application/json;charset=UTF-8"}, body)](
                  const std::string&) { return net::testing::Reply{reply}; }) {}

FlowTestBed::FlowTestBed(sandbox::SandboxConfig config)
    : server_(std::make_unique<sandbox::PlatformServer>(ForTests(std::move(config)))),
      directory_(FreshDirectory()),
      settingsFile_(directory_ / "datas.ini"),
      context{.endpoints = {},
              .settingsFile = settingsFile_,
              .sessionCookie = cookie,
              .runner = runner,
              .countdown = countdown,
              .timings = ShortTimings(),
              .clock = {},
              .shutdown = shutdown.get_token()} {
  net::InitTransport();
  server_->Start();
  context.endpoints = {server_->BaseUrl(), server_->VersionBaseUrl(),
                       server_->VersionBaseUrl() + "/download/update.zip"};
}

FlowTestBed::~FlowTestBed() {
  Finish();
  server_->Stop();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void FlowTestBed::Finish() {
  shutdown.request_stop();
  runner.JoinAll();
}

void FlowTestBed::LogInAs(const std::string& account, const std::string& password) {
  ASSERT_TRUE(platform().members.Register(account, password, platform().Now()));
  OpenPlatformSession(context);
  FetchCaptcha(context, kLoginCaptchaLiteral);
  RecordingLoginView login(log);
  login.SetInputs({.userName = account, .password = password, .captcha = kCaptcha});
  Login(context, login);
  ASSERT_EQ(log.CountOf("标签1 feedback"), 1) << "the test member could not log in";
}

std::int64_t FlowTestBed::MemberId(const std::string& account) {
  return platform().members.FindId(account).value_or(0);
}

void FlowTestBed::UsePlatform(const std::string& baseUrl) {
  context.endpoints.platformBaseUrl = baseUrl;
}

}  // namespace hosting::platform::testing
