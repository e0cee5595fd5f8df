#pragma once
// One flow against one kind of hostile answer: the platform and the version service point at a
// HostilePlatform, datas.ini and SessionCookie hold known values first, requests give up after
// one second of silence, and the hosting flow retries twice. After the flow (at tear-down), the
// checks that hold for every flow and answer: datas.ini is byte for byte as it was, and
// SessionCookie is whole.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "flow_test_bed.h"
#include "hostile/hostile_platform.h"

namespace hosting::hostile {

using platform::testing::FlowTestBed;

inline constexpr const char* kSessionBefore = "JSESSIONID=session1; token=t2";

class HostileFlowTest : public ::testing::TestWithParam<Hostility> {
 protected:
  void SetUp() override { Serve(0); }
  void TearDown() override;

  // Replaces the platform; its first `acceptedFirst` answers are the accepted ones.
  void Serve(int acceptedFirst);
  Hostility kind() const { return GetParam(); }
  bool Is(std::initializer_list<Hostility> kinds) const;
  // The messages shown by the main view (the captions, rows and pictures are read directly).
  std::vector<platform::Message> MainMessages() const { return bed.mainView->Messages(); }

  // A dialog flow that shows `confirmation` for an acceptance and the answer itself otherwise
  // (at most a message box's worth of it) showed one of them and closed its dialog.
  void ExpectAnswerShownAndClosed(const std::vector<platform::Message>& messages,
                                  const std::string& confirmation) const;

  FlowTestBed bed;
  std::unique_ptr<HostilePlatform> platform;
  std::string sessionBefore = kSessionBefore;  // what SessionCookie held before the flow
  bool settingsMayChange = false;              // an accepted login saves the credentials

 private:
  // SessionCookie is sessionBefore, or that with every flood cookie merged in; nothing between.
  void ExpectWholeCookie() const;
  void ExpectSettingsUnchanged() const;

  std::string settingsBefore_;
};

inline const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The refusal text each kind carries in "msg", as the member reads it ("" when it carries none).
std::string RefusalText(Hostility kind);

// Test names: "CutMidBody", ...
std::string KindName(const ::testing::TestParamInfo<Hostility>& info);

}  // namespace hosting::hostile

#define HOSTILE_INSTANTIATE(fixture)                                                  \
  INSTANTIATE_TEST_SUITE_P(Answers, fixture,                                          \
                           ::testing::ValuesIn(::hosting::hostile::AllHostilities()), \
                           ::hosting::hostile::KindName)
