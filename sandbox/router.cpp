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

const Router::Route* Router::Find(const std::string& path) const {
  const Route* best = nullptr;
  for (const auto& route : routes_) {
    if (!route.prefix && route.path == path) {
      return &route;
    }
    if (route.prefix && path.starts_with(route.path) &&
        (best == nullptr || route.path.size() > best->path.size())) {
      best = &route;
    }
  }
  return best;
}

void Router::Dispatch(const httplib::Request& req, httplib::Response& res) const {
  const Route* route = Find(req.path);
  if (route == nullptr) {
    res.status = 404;
    SendJson(res, Envelope(false, "请求的地址不存在"));
    return;
  }
  const std::string& method = req.method == "HEAD" ? std::string("GET") : req.method;
  if (std::find(route->methods.begin(), route->methods.end(), method) == route->methods.end()) {
    std::string allow;
    for (const auto& m : route->methods) {
      allow += (allow.empty() ? "" : ", ") + m;
    }
    res.status = 405;
    res.set_header("Allow", allow);
    SendJson(res, Envelope(false, "不支持的请求方法"));
    return;
  }
  route->handler(req, res);
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
