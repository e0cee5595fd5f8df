#include "sandbox/version_routes.h"

#include <memory>

#include "sandbox/answers.h"
#include "sandbox/update_package.h"

namespace sandbox {

std::string VersionAnswer(const SandboxConfig& config, std::string_view packageUrl) {
  const nlohmann::json head = {{"success", true},
                               {"msg", "获取成功!"},
                               {"data", {{"version", config.version}, {"url", packageUrl}}}};
  std::string text = JsonText(head);
  text.pop_back();  // reopen the object to append the escaped notice
  const nlohmann::json notice = config.notice;
  text +=
      ",\"notice\":" + notice.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace) + "}";
  return text;
}

void AddVersionRoutes(Router& router, const SandboxConfig& config, std::string package,
                      const std::string& versionBaseUrl) {
  const std::string path = "/download/" + std::string(kUpdatePackageName);
  const std::string answer = VersionAnswer(config, versionBaseUrl + path);
  router.Add("/api/", {"POST"}, [answer](const httplib::Request&, httplib::Response& res) {
    res.set_content(answer, "application/json;charset=UTF-8");
  });
  const auto bytes = std::make_shared<const std::string>(std::move(package));
  router.Add(path, {"GET"}, [bytes](const httplib::Request&, httplib::Response& res) {
    res.set_header("Content-Disposition",
                   "attachment; filename=\"" + std::string(kUpdatePackageName) + "\"");
    res.set_content(*bytes, "application/zip");
  });
}

}  // namespace sandbox
