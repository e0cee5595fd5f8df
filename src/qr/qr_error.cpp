#include "qr/qr_error.h"

#include <utility>

namespace hosting::qr {
namespace {

std::string ReportText(const ErrorRecord& record) {
  return "异常来源：[" + record.source + "]\r\n方法名称：" + record.method + "()\r\n异常信息：" +
         record.message;
}

}  // namespace

QrError::QrError(ErrorRecord record)
    : std::runtime_error(ReportText(record)), record_(std::move(record)) {}

ErrorRecord MakeErrorRecord(std::string source, std::string method, std::string message) {
  return ErrorRecord{std::move(source), std::move(method), std::move(message)};
}

void ReportError(ErrorRecord record) {
  throw QrError(std::move(record));
}

void RaiseQrError(std::string source, std::string method, std::string message) {
  ReportError(MakeErrorRecord(std::move(source), std::move(method), std::move(message)));
}

}  // namespace hosting::qr
