#pragma once
// Column widths of the templates' list views. Qt Designer stores a list view's column captions but
// not their widths, so each template gives them as the dynamic property "columnWidths"
// ("100,100,150,0"); a width of 0 hides its column (it still holds data, e.g. an avatar address).

class QTreeWidget;

namespace hosting::ui {

void ApplyColumnWidths(QTreeWidget& list);

}  // namespace hosting::ui
