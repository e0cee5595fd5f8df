#include "sandbox/router.h"

#include <algorithm>

#include "sandbox/answers.h"

namespace sandbox {

void Router::Add(std::string path, std::vector<std::string> methods, Handler handler) {
  routes_.push_back(Route{std::move(path), false, std::move(methods), std::move(handler)});
}

void Router::AddPrefix(std::string prefix, std::vector<std::string> methods, Handler handler) {
  routes_.push_back(Route{std::move(prefix), true, std::move(methods), std::move(handler)});
}

bool Router::Matches(const Route& route, const std::string& path) {
  return route.prefix ? path.starts_with(route.path) : route.path == path;
}

void Router::Dispatch(const httplib::Request& req, httplib::Response& res) const {
  const std::string method = req.method == "HEAD" ? std::string("GET") : req.method;
  // Exact paths first, then the longest prefix; one path may have a route per method.
  const Route* chosen = nullptr;
  std::string allow;
  for (const bool prefix : {false, true}) {
    std::size_t longest = 0;
    for (const auto& route : routes_) {
      if (route.prefix != prefix || !Matches(route, req.path) || route.path.size() < longest) {
        continue;
      }
      if (route.path.size() > longest) {
        longest = route.path.size();
        allow.clear();
        chosen = nullptr;
      }
      for (const auto& m : route.methods) {
        allow += (allow.empty() ? "" : ", ") + m;
      }
      if (std::find(route.methods.begin(), route.methods.end(), method) != route.methods.end()) {
        chosen = &route;
      }
    }
    if (!allow.empty()) {
      break;
    }
  }
  if (chosen != nullptr) {
    chosen->handler(req, res);
  } else if (allow.empty()) {
    res.status = 404;
    SendJson(res, Envelope(false, "请求的地址不存在"));
  } else {
    res.status = 405;
    res.set_header("Allow", allow);
    SendJson(res, Envelope(false, "不支持的请求方法"));
  }
}

void Router::Install(httplib::Server& server) const {
  const auto dispatch = [this](const httplib::Request& req, httplib::Response& res) {
    Dispatch(req, res);
  };
  server.Get(".*", dispatch);
  server.Post(".*", dispatch);
  server.Put(".*", dispatch);
  server.Patch(".*", dispatch);
  server.Delete(".*", dispatch);
  server.Options(".*", dispatch);
}

}  // namespace sandbox
