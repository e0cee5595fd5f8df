// HTTPS keeps certificate verification on: a loopback server with a freshly made self-signed
// certificate is refused by both engines, before any request or body crosses.

#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <atomic>
#include <memory>
#include <thread>

#include "net/win_http_request.h"
#include "net/win_inet_request.h"
#include "support/wait_until.h"

namespace hosting::net {
namespace {

struct KeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertFree {
  void operator()(X509* cert) const { X509_free(cert); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;

constexpr const char* kSecretBody = "body only a trusting client may read";

// A certificate for 127.0.0.1 (subject and IP address) signed by its own key: sound in every
// way except that nobody vouches for it.
Cert SelfSignedFor127(EVP_PKEY* key) {
  Cert cert(X509_new());
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600);
  X509_set_pubkey(cert.get(), key);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
  X509_set_issuer_name(cert.get(), name);
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, cert.get(), cert.get(), nullptr, nullptr, 0);
  X509_EXTENSION* altName =
      X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
  X509_add_ext(cert.get(), altName, -1);
  X509_EXTENSION_free(altName);
  X509_sign(cert.get(), key, EVP_sha256());
  return cert;
}

// Runs an httplib server on a free loopback port until destroyed.
class Running {
 public:
  explicit Running(httplib::Server& server) : server_(server) {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // A stop before the accept loop runs would be lost, so the loop must be running first.
    if (!testing_support::WaitUntil([this] { return server_.is_running(); })) {
      ADD_FAILURE() << "the HTTPS server did not start";
    }
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  ~Running() {
    server_.stop();
    thread_.join();
  }
  int port() const { return port_; }

 private:
  httplib::Server& server_;
  int port_ = 0;
  std::thread thread_;
};

class TlsVerificationTest : public ::testing::Test {
 protected:
  TlsVerificationTest() {
    tls_->Get("/.*", [this](const httplib::Request&, httplib::Response& res) {
      ++served_;
      res.set_content(kSecretBody, "text/plain");
    });
    tls_->Post("/.*", [this](const httplib::Request&, httplib::Response& res) {
      ++served_;
      res.set_content(kSecretBody, "text/plain");
    });
  }

  std::string HttpsUrl(const std::string& path = "/") const {
    return "https://127.0.0.1:" + std::to_string(running_->port()) + path;
  }

  Key key_{EVP_EC_gen("P-256")};
  Cert cert_{SelfSignedFor127(key_.get())};
  std::unique_ptr<httplib::SSLServer> tls_ =
      std::make_unique<httplib::SSLServer>(cert_.get(), key_.get());
  std::unique_ptr<Running> running_ = std::make_unique<Running>(*tls_);
  std::atomic<int> served_{0};
};

TEST_F(TlsVerificationTest, ServerAnswersAClientThatTrustsItsCertificate) {
  // The control: the server works and its certificate fits 127.0.0.1, so a refusal below can
  // only come from the missing trust.
  ASSERT_TRUE(tls_->is_valid());
  httplib::SSLClient client("127.0.0.1", running_->port());
  X509_STORE* trusted = X509_STORE_new();
  X509_STORE_add_cert(trusted, cert_.get());
  client.set_ca_cert_store(trusted);  // the client owns it from here
  client.enable_server_certificate_verification(true);
  const auto answer = client.Get("/");
  ASSERT_TRUE(answer) << httplib::to_string(answer.error());
  EXPECT_EQ(answer->body, kSecretBody);
  EXPECT_EQ(served_, 1);
}

TEST_F(TlsVerificationTest, WinHttpRefusesTheSelfSignedServer) {
  for (const std::int32_t method : {kMethodGet, kMethodPost}) {
    std::string status;
    std::string bytes = "untouched";
    std::string headersOut = "untouched";
    std::string cookies = "sid=1";
    const auto outcome = WinHttpExchange({.url = HttpsUrl("/api/"),
                                          .method = method,
                                          .body = "password=secret",
                                          .cookies = &cookies,
                                          .headersOut = &headersOut,
                                          .status = &status,
                                          .responseBytes = &bytes});
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(status, kMessageSendFailed);
    EXPECT_EQ(bytes, "untouched");
    EXPECT_EQ(headersOut, "untouched");
    EXPECT_EQ(cookies, "sid=1");
  }
  EXPECT_EQ(served_, 0);
}

TEST_F(TlsVerificationTest, WinInetRefusesTheSelfSignedServer) {
  std::string headersOut = "untouched";
  std::string cookies = "sid=1";
  for (const std::int32_t method : {kMethodGet, kMethodPost}) {
    EXPECT_EQ(WinInetRequest({.url = HttpsUrl("/custody/verificationCode/generate.do"),
                              .method = method,
                              .body = "a=1",
                              .cookies = &cookies,
                              .headersOut = &headersOut}),
              "");
    EXPECT_EQ(WinInetRequest({.url = HttpsUrl(), .method = method}), "");
  }
  // Without an answer head the engine leaves only its blank header buffer.
  EXPECT_EQ(headersOut.find_first_not_of(' '), std::string::npos);
  EXPECT_EQ(cookies, "sid=1");
  EXPECT_EQ(served_, 0);
}

TEST_F(TlsVerificationTest, ARedirectFromPlainHttpToTheServerIsRefusedToo) {
  httplib::Server plain;
  plain.Get("/.*", [this](const httplib::Request&, httplib::Response& res) {
    res.set_redirect(HttpsUrl("/moved"));
    res.set_header("Connection", "close");  // so that stopping the server waits for nobody
  });
  const Running redirecting(plain);
  const std::string url = "http://127.0.0.1:" + std::to_string(redirecting.port()) + "/start";
  std::string status;
  EXPECT_EQ(WinHttpRequest({.url = url, .status = &status}), "");
  EXPECT_EQ(status, kMessageSendFailed);
  EXPECT_EQ(WinInetRequest({.url = url}), "");
  EXPECT_EQ(served_, 0);
}

}  // namespace
}  // namespace hosting::net
