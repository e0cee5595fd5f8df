// platform-sandbox as a program: its command line, exit codes and output. The output is its only
// log, so the made-up admin token shows once, and no password, hash or session ever does.

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "sandbox/options.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

// The program run by the shell (which prints its process id first), stdout and stderr in one pipe.
class SandboxProcess {
 public:
  explicit SandboxProcess(const std::string& args)
      : pipe_(popen(("echo $$; exec " PLATFORM_SANDBOX_PROGRAM " " + args + " 2>&1").c_str(), "r"),
              pclose) {}
  ~SandboxProcess() { Finish(true); }

  // Reads on until the output matches pattern; the groups of the match, none if the output ends.
  std::vector<std::string> ReadUntil(const std::regex& pattern) {
    std::smatch match;
    char line[1024];
    while (!std::regex_search(output_, match, pattern)) {
      if (!pipe_ || std::fgets(line, sizeof line, pipe_.get()) == nullptr) {
        return {};
      }
      output_ += line;
    }
    return {match.begin(), match.end()};
  }
  // Reads the whole output (stopping the program first when asked); the exit code, or -1.
  int Finish(bool terminate) {
    const auto pid = ReadUntil(std::regex("^[0-9]+\n"));
    if (terminate && !pid.empty()) {
      kill(std::stoi(pid[0]), SIGTERM);
    }
    ReadUntil(std::regex("[^\\s\\S]"));  // matches nothing: reads to the end
    status_ = pipe_ ? pclose(pipe_.release()) : status_;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }
  const std::string& output() const { return output_; }

 private:
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe_;
  std::string output_;
  int status_ = -1;
};

TEST(Program, ShowsTheMadeUpTokenOnceAndNoPasswordOrSession) {
  SandboxProcess program(std::string("--db :memory: --port 0 --version-port 0 --listen 0.0.0.0 ") +
                         "--fixed-captcha " + kCaptcha);
  const auto started = program.ReadUntil(std::regex(
      "platform: +http://127\\.0\\.0\\.1:([0-9]+)/custody/[\\s\\S]*admin token: +([0-9A-F]{32})"));
  ASSERT_EQ(started.size(), 3u) << program.output();
  const std::string first = "Qx7#口令first";
  const std::string second = "Zv9!口令second";
  Browser member(std::stoi(started[1]));
  EXPECT_EQ(member.Register("louise", first)["msg"], "注册成功");
  EXPECT_EQ(member.Login("louise", "wrong" + first)["success"], false);
  EXPECT_EQ(member.Login("louise", first)["success"], true);
  member.Api("adminUser/changepwd.do", "password=" + hosting::net::FormValue(second));
  EXPECT_EQ(member.Login("louise", second)["success"], true);
  EXPECT_EQ(member.Send("/custody/sandbox/")->status, 403);

  EXPECT_EQ(program.Finish(true), 0);
  const std::string& output = program.output();
  EXPECT_EQ(output.find(started[2]), output.rfind(started[2]));
  for (const std::string& secret :
       {first, second, std::string("Qx7#"), std::string("Zv9!"), hosting::net::FormValue(first),
        hosting::net::FormValue(second), std::string("pbkdf2"), member.session()}) {
    EXPECT_EQ(output.find(secret), std::string::npos) << secret << " in:\n" << output;
  }
}

TEST(Program, HelpABadOptionAndAnUnopenableDatabaseHaveTheirExitCodes) {
  for (const auto& [args, code] :
       {std::pair("--help", 0), std::pair("--port 0 --bogus", 2),
        std::pair("--db /nonexistent/x.db --port 0 --version-port 0", 1)}) {
    SandboxProcess program(args);
    EXPECT_EQ(program.Finish(false), code) << args;
    const bool usage =
        program.output().find("\nUsage: platform-sandbox [options]\n") != std::string::npos;
    EXPECT_EQ(usage, code != 1) << args << ":\n" << program.output();
  }
}

// "--option value" split at its first space only, so that a value may hold spaces or be empty.
std::vector<std::string> Args(const std::string& row) {
  const auto space = row.find(' ');
  return space == std::string::npos ? std::vector{row}
                                    : std::vector{row.substr(0, space), row.substr(space + 1)};
}

TEST(Options, ValuesAtTheirLimitsAreTakenAndOneBeyondRefused) {
  const auto limits = ParseOptions(
      {"--version-port", "65535", "--listen", "::", "--demo", "--threads", "2", "--public-url",
       "https://p:1", "--auto-scan", "3600", "--fail-qr", "1000000", "--latency", "60000",
       "--fixed-captcha", "12345678", "--admin-token", std::string(122, 'a') + "-_.~Z9"});
  ASSERT_EQ(limits.error, "");
  const SandboxConfig& c = limits.config;
  EXPECT_EQ(std::tuple(c.versionPort, c.listenHost, c.demo, c.threads, c.publicUrl,
                       c.autoScanSeconds, c.failQr, c.latencyMs),
            std::tuple(65535, "::", true, 2, "https://p:1", 3600, 1'000'000, 60'000));
  for (const char* bad :
       {"--port -1", "--port 1x", "--version-port 65536", "--threads 1", "--threads 1025",
        "--auto-scan 3601", "--fail-qr 1000001", "--latency 60001", "--public-url ftp://x",
        "--fixed-captcha 123456789", "--fixed-captcha ", "--port", "--bogus", "--admin-token a&b",
        "--admin-token a b", "--admin-token a<b", "--admin-token a%41", "--admin-token ",
        "--admin-token 令牌"}) {
    EXPECT_NE(ParseOptions(Args(bad)).error, "") << bad;
  }
  EXPECT_NE(ParseOptions({"--admin-token", std::string(129, 'a')}).error, "");
}

}  // namespace
}  // namespace sandbox::testing
