#include "ui/list_columns.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace hosting::ui {

void ApplyColumnWidths(QTreeWidget& list) {
  const QStringList widths =
      list.property("columnWidths").toString().split(u',', Qt::SkipEmptyParts);
  for (int column = 0; column < widths.size() && column < list.columnCount(); ++column) {
    const int width = widths[column].trimmed().toInt();
    list.setColumnHidden(column, width == 0);
    if (width > 0)
      list.setColumnWidth(column, width);
  }
  for (int column = 0; column < list.columnCount(); ++column) {
    list.headerItem()->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
  }
}

}  // namespace hosting::ui
