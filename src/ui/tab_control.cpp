#include "ui/tab_control.h"

#include <QEvent>
#include <QStackedWidget>
#include <QTabBar>

namespace hosting::ui {

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {}

bool TabControl::event(QEvent* event) {
  const bool handled = QTabWidget::event(event);
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::Polish:
      spanPages();
      break;
    default:
      break;
  }
  return handled;
}

void TabControl::tabInserted(int index) {
  QTabWidget::tabInserted(index);
  spanPages();
}

void TabControl::spanPages() {
  if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    stack->setGeometry(rect());
  }
  tabBar()->raise();
}

}  // namespace hosting::ui
