#include "app/qt_main_view.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "app/qt_text.h"
#include "ui/accessibility.h"
#include "ui/picture_box.h"

namespace hosting::app {
namespace {

using platform::MainCaption;
using platform::MainList;
using ui::MainWindow;

QLabel& CaptionLabel(const MainWindow& window, MainCaption caption) {
  switch (caption) {
    case MainCaption::kHostingStatus:
      return window.label(QStringLiteral("透明标签5"));
    case MainCaption::kHostedTotal:
      return window.label(QStringLiteral("透明标签3"));
    case MainCaption::kOnlineCount:
      return window.label(QStringLiteral("透明标签19"));
    case MainCaption::kWithdrawnTotal:
      return window.label(QStringLiteral("透明标签28"));
    case MainCaption::kWithdrawable:
      return window.label(QStringLiteral("透明标签29"));
    case MainCaption::kEarnedToday:
      return window.label(QStringLiteral("透明标签30"));
    case MainCaption::kPayoutAccount:
      return window.label(QStringLiteral("透明标签32"));
    case MainCaption::kPayoutName:
      break;
  }
  return window.label(QStringLiteral("透明标签34"));
}

QTreeWidget& ListView(const MainWindow& window, MainList list) {
  switch (list) {
    case MainList::kHostedAccounts:
      return window.hostedAccounts();
    case MainList::kEarnings:
      return window.earnings();
    case MainList::kWithdrawals:
      break;
  }
  return window.withdrawals();
}

}  // namespace

QtMainView::QtMainView(MainWindow& window, MessageBoxes& boxes)
    : calls_(&window, boxes),
      overlay_(new ui::ExpiredCodeOverlay(window.qrPicture())),
      offlineNotice_(new ui::OfflineNotice(window)) {}

void QtMainView::ShowMessage(const platform::Message& message) {
  calls_.ShowMessage(message);
}

void QtMainView::SetCaption(MainCaption caption, const std::string& text) {
  // Captions come from the server's pages: shown as text, markup in them loads nothing.
  calls_.Set([caption, text = ToQString(text)](MainWindow& w) {
    QLabel& label = CaptionLabel(w, caption);
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
  });
}

void QtMainView::SetHostingButtonEnabled(bool enabled) {
  calls_.Set([enabled](MainWindow& w) { w.qrButton().setEnabled(enabled); });
}

void QtMainView::SetQrPicture(const std::string& image) {
  calls_.Set([bytes = ToBytes(image)](MainWindow& w) {
    // Made at QrPictureSize(), in device pixels.
    w.qrPicture().setImageBytes(bytes, w.qrPicture().devicePixelRatioF());
    w.qrPicture().setAccessibleDescription(bytes.isEmpty() ? QString()
                                                           : ui::HostingCodeDescription());
  });
}

void QtMainView::SetAvatarPicture(const std::string& image, const std::string& accountId,
                                  const std::string& nickname) {
  calls_.Set([bytes = ToBytes(image),
              description =
                  ui::AvatarDescription(ToQString(accountId), ToQString(nickname))](MainWindow& w) {
    w.qrPicture().setImageBytes(bytes);
    w.qrPicture().setAccessibleDescription(description);
  });
}

platform::PictureSize QtMainView::QrPictureSize() {
  return calls_.Get([](const MainWindow& w) {
    const ui::PictureBox& box = w.qrPicture();
    const qreal scale = box.devicePixelRatioF();
    return platform::PictureSize{qRound(box.width() * scale), qRound(box.height() * scale)};
  });
}

void QtMainView::SetQrPictureMode(platform::PictureMode mode) {
  calls_.Set([mode](MainWindow& w) { w.qrPicture().setDisplayMode(static_cast<int>(mode)); });
}

void QtMainView::SetQrExpiredNotice(const std::string& notice) {
  calls_.Set([overlay = overlay_, text = ToQString(notice)](MainWindow& w) {
    if (overlay == nullptr)
      return;
    overlay->setNotice(text);
    // Qt orders only widgets that take focus: the picture does now.
    if (!text.isEmpty())
      QWidget::setTabOrder(&w.qrButton(), &w.qrPicture());
  });
}

void QtMainView::ReplaceHostedAccounts(const std::vector<std::vector<std::string>>& rows) {
  QList<QStringList> texts;
  for (const auto& row : rows) {
    QStringList& columns = texts.emplace_back();
    for (const std::string& column : row)
      columns << ToQString(column);
  }
  calls_.Set([texts](MainWindow& w) {
    QTreeWidget& list = w.hostedAccounts();
    const QString currentId = list.currentItem() ? list.currentItem()->text(0) : QString();
    const int scrolled = list.verticalScrollBar()->value();
    // The current account stays current without a new avatar request.
    const QSignalBlocker quiet(list);
    list.clear();
    for (const QStringList& columns : texts) {
      auto* item = new QTreeWidgetItem(&list, columns);
      if (!currentId.isEmpty() && columns.value(0) == currentId)
        list.setCurrentItem(item);
    }
    list.verticalScrollBar()->setValue(scrolled);
  });
}

void QtMainView::AnnounceOffline(const std::string& text) {
  calls_.Set([notice = offlineNotice_, text = ToQString(text)](MainWindow&) {
    if (notice)
      notice->announce(text);
  });
}

void QtMainView::ClearRows(MainList list) {
  calls_.Set([list](MainWindow& w) { ListView(w, list).clear(); });
}

void QtMainView::AppendRow(MainList list, const std::vector<std::string>& columns) {
  QStringList texts;
  for (const std::string& column : columns)
    texts << ToQString(column);
  calls_.Set([list, texts](MainWindow& w) { new QTreeWidgetItem(&ListView(w, list), texts); });
}

int QtMainView::RowCount(MainList list) {
  return calls_.Get([list](const MainWindow& w) { return ListView(w, list).topLevelItemCount(); });
}

std::string QtMainView::CellText(MainList list, int row, int column) {
  return calls_.Get([list, row, column](const MainWindow& w) {
    const QTreeWidgetItem* item = ListView(w, list).topLevelItem(row);
    return item != nullptr && column >= 0 ? ToUtf8(item->text(column)) : std::string();
  });
}

int QtMainView::SelectedRow(MainList list) {
  return calls_.Get([list](const MainWindow& w) {
    QTreeWidget& view = ListView(w, list);
    return view.currentItem() != nullptr ? view.indexOfTopLevelItem(view.currentItem()) : -1;
  });
}

std::string QtMainView::WithdrawCaptcha() {
  return calls_.Get([](const MainWindow& w) { return ToUtf8(w.withdrawCaptchaAnswer()); });
}

void QtMainView::SetWithdrawCaptchaPicture(const std::string& image) {
  calls_.Set([bytes = ToBytes(image)](MainWindow& w) { w.withdrawCaptcha().setImageBytes(bytes); });
}

}  // namespace hosting::app
