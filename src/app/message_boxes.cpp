#include "app/message_boxes.h"

#include <QMessageBox>

namespace hosting::app {
namespace {

QMessageBox::Icon BoxIcon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kInformation:
      return QMessageBox::Information;
    case platform::MessageIcon::kWarning:
      return QMessageBox::Warning;
    case platform::MessageIcon::kStop:
      return QMessageBox::Critical;
    case platform::MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void ModalMessageBoxes::Show(QWidget* owner, const platform::Message& message) {
  const QString title =
      QString::fromStdString(message.title.empty() ? kApplicationTitle : message.title);
  QMessageBox box(BoxIcon(message.icon), title, QString::fromStdString(message.text),
                  QMessageBox::Ok, owner);
  // Message texts often come from the server. Taken as rich text, markup in them would render,
  // and a link in them would go to the desktop's opener (a file:// address may start a program).
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace hosting::app
