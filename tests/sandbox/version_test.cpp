// The version service: its answer, the raw-text notice and the update package.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zip.h>

#include "net/text_helpers.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using VersionTest = SandboxTest;

// One request written by hand (no Content-Length) and the whole answer read until close.
std::string RawExchange(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
    char buffer[4096];
    for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) {
      answer.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  return answer;
}

TEST_F(VersionTest, AnswerHoldsVersionAndAnEscapedNotice) {
  httplib::Client client("127.0.0.1", server().versionPort());
  const auto answer = client.Post("/api/", "", "application/x-www-form-urlencoded");
  ASSERT_TRUE(answer);
  const auto json = nlohmann::json::parse(answer->body);
  EXPECT_EQ(json["msg"], "获取成功!");
  EXPECT_EQ(json["data"]["version"], platform().config().version);
  // The client cuts the notice out of the raw text; there it must be pure \uXXXX escapes.
  const std::string raw = hosting::net::TextBetween(answer->body, "notice\":\"", "#引号");
  ASSERT_FALSE(raw.empty());
  for (const unsigned char c : raw) {
    EXPECT_LT(c, 0x80);
  }
  EXPECT_EQ(raw.substr(0, 2), "\\u");
  EXPECT_EQ(hosting::net::UnescapeUnicode(raw), platform().config().notice);
}

TEST_F(VersionTest, EmptyPostWithoutContentLengthIsAnswered) {
  const std::string answer =
      RawExchange(server().versionPort(),
                  "POST /api/ HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u) << answer.substr(0, 40);
  EXPECT_NE(answer.find("获取成功!"), std::string::npos);
}

TEST_F(VersionTest, UpdatePackageIsAZipWithTheReleaseNote) {
  httplib::Client client("127.0.0.1", server().versionPort());
  const auto answer = client.Get("/download/hosting-client-update.zip");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_EQ(answer->get_header_value("Content-Type"), "application/zip");

  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_buffer_create(answer->body.data(), answer->body.size(), 0, &error);
  ASSERT_NE(source, nullptr);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(archive, nullptr) << zip_error_strerror(&error);
  EXPECT_EQ(zip_get_num_entries(archive, 0), 2);
  zip_file_t* file = zip_fopen(archive, "version.txt", 0);
  ASSERT_NE(file, nullptr);
  char text[32] = {};
  const auto read = zip_fread(file, text, sizeof text - 1);
  zip_fclose(file);
  EXPECT_EQ(std::string(text, static_cast<std::size_t>(std::max<zip_int64_t>(read, 0))),
            platform().config().version + "\r\n");
  zip_close(archive);
  zip_error_fini(&error);
}

}  // namespace
}  // namespace sandbox::testing
