// HTTPS keeps certificate verification on: a loopback server with a freshly made self-signed
// certificate is refused by both engines, also at the end of a redirect, before a request crosses.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <memory>
#include <thread>

#include "net/engine_under_test.h"
#include "net/raw_http_server.h"
#include "support/wait_until.h"

namespace hosting::net::testing {
namespace {

template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, decltype([](T* p) { Free(p); })>;

// A certificate signed by its own key: sound in every way except that nobody vouches for it.
Owned<X509, X509_free> SelfSigned(EVP_PKEY* key) {
  Owned<X509, X509_free> cert(X509_new());
  X509_set_version(cert.get(), 2);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600);
  X509_set_pubkey(cert.get(), key);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
  X509_set_issuer_name(cert.get(), name);
  X509_sign(cert.get(), key, EVP_sha256());
  return cert;
}

template <typename Engine>
class TlsVerificationTest : public ::testing::Test {};
TYPED_TEST_SUITE(TlsVerificationTest, BothEngines);

TYPED_TEST(TlsVerificationTest, SelfSignedServerIsRefused) {
  const Owned<EVP_PKEY, EVP_PKEY_free> key(EVP_EC_gen("P-256"));
  const Owned<X509, X509_free> cert = SelfSigned(key.get());
  httplib::SSLServer server(cert.get(), key.get());
  std::atomic<int> served{0};
  server.set_logger([&](const httplib::Request&, const httplib::Response&) { ++served; });
  const int port = server.bind_to_any_port("127.0.0.1");
  const std::jthread serving([&] { server.listen_after_bind(); });
  // A stop before the accept loop runs would be lost, so the loop must be running first.
  ASSERT_TRUE(testing_support::WaitUntil([&] { return server.is_running(); }));
  const std::string url = "https://127.0.0.1:" + std::to_string(port) + "/api/";
  RawHttpServer redirecting([&](const std::string&) {
    return Reply{HttpReply("302 Found", {"Location: " + url}, ""), Reply::Then::kClose};
  });
  for (const std::int32_t method : {kMethodGet, kMethodPost}) {
    for (const std::string& start : {url, redirecting.Url("/start")}) {
      std::string jar = "sid=1";
      const auto text =
          TypeParam::Request({.url = start, .method = method, .body = "a", .cookies = &jar});
      EXPECT_EQ(text + jar, "sid=1") << start;
    }
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
