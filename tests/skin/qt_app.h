#pragma once
// The QApplication of a test program, made on first use (never at static initialisation: the test
// list is read from the program at build time, without a display).

#include <QApplication>

namespace hosting::skin::test {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "skin_test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace hosting::skin::test
