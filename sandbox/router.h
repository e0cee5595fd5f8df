#pragma once
// Dispatch by exact path (or path prefix) and method. Unlike the library's own routing, a known
// path asked with the wrong method gets 405 with an Allow header, and an unknown path 404.

#include <httplib.h>

#include <functional>
#include <string>
#include <vector>

namespace sandbox {

class Router {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

  // methods such as {"GET", "POST"}; HEAD is served wherever GET is.
  void Add(std::string path, std::vector<std::string> methods, Handler handler);
  // Every path that begins with prefix (after the exact paths had no match).
  void AddPrefix(std::string prefix, std::vector<std::string> methods, Handler handler);
  void Install(httplib::Server& server) const;
  void Dispatch(const httplib::Request& req, httplib::Response& res) const;

 private:
  struct Route {
    std::string path;
    bool prefix = false;
    std::vector<std::string> methods;
    Handler handler;
  };

  static bool Matches(const Route& route, const std::string& path);

  std::vector<Route> routes_;
};

}  // namespace sandbox
