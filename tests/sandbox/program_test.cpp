// platform-sandbox as a program. Its output is its log: the made-up token once, no secret ever.
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

// The program run by the shell (which prints its process id first), stdout and stderr in one pipe.
class SandboxProcess {
 public:
  explicit SandboxProcess(const std::string& args)
      : pipe_(popen(("echo $$; exec " PLATFORM_SANDBOX_PROGRAM " " + args + " 2>&1").c_str(), "r"),
              pclose) {}
  ~SandboxProcess() { Finish(); }

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
  int Finish() {
    const auto pid = ReadUntil(std::regex("^[0-9]+\n"));
    if (!pid.empty()) {
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

// It prints only its start-up lines (the in-process tests cover the routes): the made-up token
// once; a port in use is refused with exit code 1.
TEST(Program, ShowsTheMadeUpTokenOnceAndRefusesAPortInUse) {
  SandboxProcess program(std::string("--db :memory: --port 0 --version-port 0 --listen 0.0.0.0 ") +
                         "--fixed-captcha " + kCaptcha);
  const auto started = program.ReadUntil(std::regex(
      "platform: +http://127\\.0\\.0\\.1:([0-9]+)/custody/[\\s\\S]*admin token: +([0-9A-F]{32})"));
  ASSERT_EQ(started.size(), 3u) << program.output();
  SandboxProcess second("--db :memory: --version-port 0 --port " + started[1]);
  second.ReadUntil(std::regex("[^\\s\\S]"));  // to its end, which comes by itself
  EXPECT_EQ(second.Finish(), 1) << second.output();
  EXPECT_EQ(program.Finish(), 0);
  const std::string& output = program.output();
  EXPECT_EQ(output.find(started[2]), output.rfind(started[2]));
}

}  // namespace
}  // namespace sandbox::testing
