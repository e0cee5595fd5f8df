#pragma once
// A tab control whose pages span the whole control: controls on a page are placed relative to the
// tab control itself, as the window templates give them, and the row of tabs lies over the top
// edge.

#include <QTabWidget>

namespace hosting::ui {

class TabControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;
  void tabInserted(int index) override;

 private:
  // QTabWidget lays its page stack out below the tabs whenever it is resized, shown or restyled;
  // this undoes that after each of those.
  void spanPages();
};

}  // namespace hosting::ui
