#pragma once
// Helpers of the skin tests: the test program's QApplication, made on first use (never at static
// initialisation: the test list is read from the program at build time, without a display), and the
// palette colours that a skin resource lists.

#include <QApplication>
#include <QColor>
#include <QRegularExpression>

namespace hosting::skin::test {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "skin_test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// The colour that the palette comment of `resource` gives `role`; invalid when it lists none.
inline QColor ResourceColour(const QByteArray& resource, const QString& role) {
  const QRegularExpression line(QStringLiteral("\n%1 (#[0-9a-f]{6})\n").arg(role));
  const auto match = line.match(QString::fromUtf8(resource));
  return match.hasMatch() ? QColor(match.captured(1)) : QColor();
}

}  // namespace hosting::skin::test
