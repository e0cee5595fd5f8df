#pragma once
// Views hand UTF-8 texts and image bytes in std::string; widgets take QString and QByteArray.

#include <QByteArray>
#include <QString>
#include <string>

namespace hosting::app {

inline QString ToQString(const std::string& utf8) {
  return QString::fromStdString(utf8);
}
inline std::string ToUtf8(const QString& text) {
  return text.toStdString();
}
inline QByteArray ToBytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace hosting::app
