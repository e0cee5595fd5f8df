// The peer of client_startup_bench: an empty window of LoginWindow's size, nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("首页"));
  window.resize(370, 407);
  window.show();
  return QApplication::exec();
}
