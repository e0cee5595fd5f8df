// HTTPS verifies certificates: both engines refuse a self-signed server, also after a redirect.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <thread>

#include "net/engine_under_test.h"
#include "net/raw_http_server.h"
#include "support/wait_until.h"

namespace hosting::net::testing {
namespace {

template <typename Engine>
class TlsVerificationTest : public ::testing::Test {};
TYPED_TEST_SUITE(TlsVerificationTest, BothEngines);

TYPED_TEST(TlsVerificationTest, SelfSignedServerIsRefused) {
  const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
  const std::unique_ptr<X509, decltype(&X509_free)> cert(X509_new(), X509_free);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 3600);
  X509_set_pubkey(cert.get(), key.get());
  X509_sign(cert.get(), key.get(), EVP_sha256());
  httplib::SSLServer server(cert.get(), key.get());
  std::atomic<int> served{0};
  server.set_logger([&](const httplib::Request&, const httplib::Response&) { ++served; });
  const int port = server.bind_to_any_port("127.0.0.1");
  const std::jthread serving([&] { server.listen_after_bind(); });
  // A stop before the accept loop runs would be lost.
  ASSERT_TRUE(testing_support::WaitUntil([&] { return server.is_running(); }));
  const std::string url = "https://127.0.0.1:" + std::to_string(port) + "/api/";
  RawHttpServer redirecting([&](const std::string&) {
    return Reply{HttpReply("302 Found", {"Location: " + url}, ""), Reply::Then::kClose};
  });
  for (const std::string& start : {url, redirecting.Url("/start")}) {
    std::string jar = "sid=1";
    EXPECT_EQ(TypeParam::Request({.url = start, .cookies = &jar}) + jar, "sid=1") << start;
  }
  EXPECT_EQ(served, 0);
  // The control: a client that does not verify is served, so the refusals came from verifying.
  httplib::SSLClient blind("127.0.0.1", port);
  blind.enable_server_certificate_verification(false);
  EXPECT_TRUE(blind.Get("/") && served == 1);
  server.stop();
}

}  // namespace
}  // namespace hosting::net::testing
