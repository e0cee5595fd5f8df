#pragma once
// The generator's one failure report. Every check of the QR classes raises a QrError naming the
// class (or module), the method and a message; the caller shows report() under kReportTitle and
// carries on. Nothing in the generator ends the process.

#include <stdexcept>
#include <string>

namespace hosting::qr {

// Title of the message box that shows a report.
inline constexpr const char* kReportTitle = "程序运行异常提示";

// Source, method (without parentheses) and message of one failure.
struct ErrorRecord {
  std::string source;
  std::string method;
  std::string message;
};

class QrError : public std::runtime_error {
 public:
  explicit QrError(ErrorRecord record);

  const std::string& source() const { return record_.source; }
  const std::string& method() const { return record_.method; }
  const std::string& message() const { return record_.message; }
  // "异常来源：[source]\r\n方法名称：method()\r\n异常信息：message", also what().
  std::string report() const { return what(); }

 private:
  ErrorRecord record_;
};

ErrorRecord MakeErrorRecord(std::string source, std::string method, std::string message);
// Throws QrError for the record.
[[noreturn]] void ReportError(ErrorRecord record);
// Shorthand for ReportError(MakeErrorRecord(...)).
[[noreturn]] void RaiseQrError(std::string source, std::string method, std::string message);

}  // namespace hosting::qr
