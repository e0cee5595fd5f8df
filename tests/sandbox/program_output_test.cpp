// platform-sandbox as a program: what it prints while members register, log in and change
// passwords. Its output is the only log it keeps, so no password, hash or session may reach it.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>

#include "net/form_encoding.h"
#include "sandbox/admin_access.h"
#include "sandbox/sandbox_fixture.h"

extern char** environ;

namespace sandbox::testing {
namespace {

constexpr const char* kCaptcha = "4321";

// The program with stdout and stderr in one pipe; stopped with SIGTERM when it goes out of scope.
class SandboxProcess {
 public:
  explicit SandboxProcess(std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0) {
      return;
    }
    readEnd_ = fds[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    args.insert(args.begin(), PLATFORM_SANDBOX_PROGRAM);
    std::vector<char*> argv;
    for (auto& arg : args) {
      argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
  }
  SandboxProcess(const SandboxProcess&) = delete;
  SandboxProcess& operator=(const SandboxProcess&) = delete;
  ~SandboxProcess() {
    Stop();
    if (readEnd_ >= 0) {
      close(readEnd_);
    }
  }

  // Reads until the output matches pattern or 30 s pass; the match, or nullopt.
  std::optional<std::smatch> WaitFor(const std::regex& pattern) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::smatch match;
    while (!std::regex_search(output_, match, pattern)) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) {
        return std::nullopt;
      }
    }
    return match;
  }

  // Stops the program, reads the rest of its output and returns its exit status.
  int Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      while (ReadSome(30'000)) {
      }
      waitpid(pid_, &status_, 0);
      pid_ = -1;
    }
    return status_;
  }

  const std::string& output() const { return output_; }

 private:
  // False at the end of the output, on an error or after timeoutMs without a byte.
  bool ReadSome(int timeoutMs) {
    pollfd ready{readEnd_, POLLIN, 0};
    if (readEnd_ < 0 || poll(&ready, 1, timeoutMs) <= 0) {
      return false;
    }
    char buffer[4096];
    const ssize_t count = read(readEnd_, buffer, sizeof buffer);
    if (count <= 0) {
      return false;
    }
    output_.append(buffer, static_cast<std::size_t>(count));
    return true;
  }

  pid_t pid_ = -1;
  int readEnd_ = -1;
  int status_ = -1;
  std::string output_;
};

// A client of the program's platform port that keeps its session cookie.
class Member {
 public:
  explicit Member(int port) : client_("127.0.0.1", port) {}

  // Loads a captcha picture, so that the session holds the fixed code.
  void LoadCaptcha() { Remember(client_.Get("/custody/verificationCode/generate.do", Cookie())); }
  nlohmann::json Post(const std::string& path, const std::string& body) {
    const auto result =
        client_.Post("/custody/" + path, Cookie(), body, "application/x-www-form-urlencoded");
    Remember(result);
    return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
  }
  const std::string& session() const { return session_; }

 private:
  httplib::Headers Cookie() const {
    if (session_.empty()) {
      return {};
    }
    return {{"Cookie", "JSESSIONID=" + session_}};
  }
  void Remember(const httplib::Result& result) {
    std::smatch id;
    const std::string cookie = result ? result->get_header_value("Set-Cookie") : "";
    if (std::regex_search(cookie, id, std::regex("JSESSIONID=([0-9A-F]+)"))) {
      session_ = id[1];
    }
  }

  httplib::Client client_;
  std::string session_;
};

TEST(ProgramOutput, ShowsTheMadeUpTokenOnceAndNoPasswordOrSession) {
  SandboxProcess program({"--db", ":memory:", "--port", "0", "--version-port", "0", "--listen",
                          "0.0.0.0", "--fixed-captcha", kCaptcha});
  const auto started =
      program.WaitFor(std::regex("platform: +http://127\\.0\\.0\\.1:([0-9]+)/custody/[\\s\\S]*"
                                 "admin token: +([0-9A-F]{32})"));
  ASSERT_TRUE(started) << program.output();
  const int port = std::stoi((*started)[1]);
  const std::string token = (*started)[2];

  const std::string first = "Qx7#口令first";
  const std::string second = "Zv9!口令second";
  Member member(port);
  const auto credentials = [&](const std::string& password) {
    member.LoadCaptcha();
    return Form({{"account", "louise"}, {"password", password}, {"checkCode", kCaptcha}});
  };
  EXPECT_EQ(
      member.Post("userapi/adminUser/register.do", credentials(first) + "&key=580213746691")["msg"],
      "注册成功");
  EXPECT_EQ(member.Post("userapi/adminUser/login.do", credentials("wrong" + first))["success"],
            false);
  EXPECT_EQ(member.Post("userapi/adminUser/login.do", credentials(first))["success"], true);
  EXPECT_EQ(member.Post("userapi/adminUser/changepwd.do", Form({{"password", second}}))["msg"],
            "成功修改密码");
  EXPECT_EQ(member.Post("userapi/adminUser/login.do", credentials(second))["success"], true);

  httplib::Client admin("127.0.0.1", port);
  EXPECT_EQ(admin.Get("/custody/sandbox/")->status, 403);
  const auto page = admin.Get("/custody/sandbox/", {{kAdminTokenHeader, token}});
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("louise"), std::string::npos);

  EXPECT_EQ(program.Stop(), 0);
  const std::string& output = program.output();
  std::size_t shown = 0;
  for (auto at = output.find(token); at != std::string::npos; at = output.find(token, at + 1)) {
    ++shown;
  }
  EXPECT_EQ(shown, 1u);
  ASSERT_FALSE(member.session().empty());
  for (const std::string& secret :
       {first, second, std::string("Qx7#"), std::string("Zv9!"), hosting::net::FormValue(first),
        hosting::net::FormValue(second), std::string("pbkdf2"), member.session()}) {
    EXPECT_EQ(output.find(secret), std::string::npos) << secret << " in:\n" << output;
  }
}

}  // namespace
}  // namespace sandbox::testing
