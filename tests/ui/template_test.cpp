// Every control of the four windows against the table in data/window_controls.tsv: object name,
// kind, parent page or group box, geometry and caption; then the list columns, heading fonts,
// accessible names, tab order and the questions-and-answers text.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <memory>

#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"
#include "ui/login_window.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace hosting::ui {
namespace {

std::vector<QStringList> ReadTable(const QString& name) {
  QFile file(QStringLiteral(HOSTING_UI_TEST_DATA "/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  std::vector<QStringList> rows;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (!line.isEmpty() && !line.startsWith(u'#'))
      rows.push_back(line.split(u'\t'));
  }
  return rows;
}

std::string Str(const QString& text) {
  return text.toStdString();
}

// The four windows, built and shown the way the program shows them.
class Windows {
 public:
  Windows() {
    add("LoginWindow", std::make_unique<LoginWindow>());
    add("MainWindow", std::make_unique<MainWindow>());
    add("BindAlipayDialog", std::make_unique<BindAlipayDialog>());
    add("ChangePasswordDialog", std::make_unique<ChangePasswordDialog>());
  }
  QWidget& operator[](const QString& name) const { return *windows_.at(name); }
  const std::map<QString, std::unique_ptr<QWidget>>& all() const { return windows_; }

  // The one control of that name in that window (names repeat across windows, never inside one).
  QWidget* control(const QString& window, const QString& name) const {
    QWidget& top = (*this)[window];
    if (name == window)
      return &top;
    const auto found = top.findChildren<QWidget*>(name);
    EXPECT_EQ(found.size(), 1) << Str(window) << " " << Str(name);
    return found.isEmpty() ? nullptr : found.front();
  }

 private:
  void add(const QString& name, std::unique_ptr<QWidget> window) {
    window->show();
    windows_.emplace(name, std::move(window));
  }
  std::map<QString, std::unique_ptr<QWidget>> windows_;
};

// Where a control logically sits: "window", "page:<caption>" or the name of its group box, and the
// widget its position is measured from (the tab control for a page's children).
struct Placement {
  QString parent;
  QWidget* origin = nullptr;
};

Placement PlacementOf(QWidget& control) {
  for (QWidget* up = control.parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (up->isWindow())
      return {QStringLiteral("window"), up};
    if (qobject_cast<QGroupBox*>(up) != nullptr)
      return {up->objectName(), up};
    auto* stack = qobject_cast<QStackedWidget*>(up->parentWidget());
    auto* tabs = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs != nullptr)
      return {QStringLiteral("page:") + tabs->tabText(tabs->indexOf(up)), tabs};
  }
  return {};
}

QString CaptionOf(const QWidget& control) {
  if (auto* label = qobject_cast<const QLabel*>(&control))
    return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&control))
    return button->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(&control))
    return edit->text();
  if (auto* group = qobject_cast<const QGroupBox*>(&control))
    return group->title();
  if (auto* tabs = qobject_cast<const QTabWidget*>(&control)) {
    QStringList pages;
    for (int i = 0; i < tabs->count(); ++i)
      pages << tabs->tabText(i);
    return pages.join(u';');
  }
  if (control.isWindow())
    return control.windowTitle();
  return {};
}

bool IsKind(const QWidget& control, const QString& kind) {
  static const std::map<QString, std::function<bool(const QWidget&)>> kinds = {
      {"window", [](const QWidget& w) { return w.isWindow(); }},
      {"tab control",
       [](const QWidget& w) { return qobject_cast<const QTabWidget*>(&w) != nullptr; }},
      {"transparent label",
       [](const QWidget& w) {
         return qobject_cast<const QLabel*>(&w) != nullptr && !w.autoFillBackground() &&
                !w.isHidden();
       }},
      {"label", [](const QWidget& w) { return qobject_cast<const QLabel*>(&w) != nullptr; }},
      {"edit box",
       [](const QWidget& w) {
         return qobject_cast<const QLineEdit*>(&w) != nullptr ||
                qobject_cast<const QPlainTextEdit*>(&w) != nullptr;
       }},
      {"button", [](const QWidget& w) { return qobject_cast<const QPushButton*>(&w) != nullptr; }},
      {"check box", [](const QWidget& w) { return qobject_cast<const QCheckBox*>(&w) != nullptr; }},
      {"picture box",
       [](const QWidget& w) { return qobject_cast<const PictureBox*>(&w) != nullptr; }},
      {"status bar",
       [](const QWidget& w) { return qobject_cast<const QStatusBar*>(&w) != nullptr; }},
      {"group box", [](const QWidget& w) { return qobject_cast<const QGroupBox*>(&w) != nullptr; }},
      {"list view",
       [](const QWidget& w) { return qobject_cast<const QTreeWidget*>(&w) != nullptr; }},
  };
  const auto check = kinds.find(kind);
  return check != kinds.end() && check->second(control);
}

bool CaptionMatches(const QString& actual, const QString& expected) {
  if (expected.endsWith(u'*'))
    return actual.startsWith(expected.chopped(1));
  return actual == expected;
}

class TemplateTest : public testing::Test {
 protected:
  Windows windows_;
};

TEST_F(TemplateTest, EveryControlHasItsNameKindParentGeometryAndCaption) {
  const auto rows = ReadTable("window_controls.tsv");
  ASSERT_GT(rows.size(), 100U);
  std::map<QString, int> controlsPerWindow;
  for (const QStringList& row : rows) {
    ASSERT_EQ(row.size(), 9) << Str(row.join(u'|'));
    const QString &window = row[0], &name = row[1], &kind = row[2], &parent = row[3];
    const QRect expected(row[4].toInt(), row[5].toInt(), row[6].toInt(), row[7].toInt());
    SCOPED_TRACE(Str(window + " " + name));
    QWidget* control = windows_.control(window, name);
    ASSERT_NE(control, nullptr);
    ++controlsPerWindow[window];
    EXPECT_TRUE(IsKind(*control, kind))
        << Str(kind) << " but is " << control->metaObject()->className();
    EXPECT_TRUE(CaptionMatches(CaptionOf(*control), row[8]))
        << Str(CaptionOf(*control)) << " instead of " << Str(row[8]);
    if (kind == "window") {
      EXPECT_EQ(control->size(), expected.size());
      continue;
    }
    const Placement placement = PlacementOf(*control);
    EXPECT_EQ(Str(placement.parent), Str(parent));
    ASSERT_NE(placement.origin, nullptr);
    EXPECT_EQ(QRect(control->mapTo(placement.origin, QPoint(0, 0)), control->size()), expected);
  }
  // Nothing in the windows that the table does not know: every named control was listed.
  for (const auto& [window, widget] : windows_.all()) {
    int named = 1;  // the window itself
    for (const QWidget* child : widget->findChildren<QWidget*>()) {
      const bool templateControl = IsKind(*child, "label") || IsKind(*child, "edit box") ||
                                   IsKind(*child, "button") || IsKind(*child, "check box") ||
                                   IsKind(*child, "picture box") || IsKind(*child, "status bar") ||
                                   IsKind(*child, "group box") || IsKind(*child, "list view") ||
                                   IsKind(*child, "tab control");
      if (templateControl && !child->objectName().isEmpty() &&
          !child->objectName().startsWith("qt_")) {
        ++named;
      }
    }
    EXPECT_EQ(named, controlsPerWindow[window]) << Str(window);
  }
}

TEST_F(TemplateTest, FirstPageIsSelectedAndOnlyTheFeedbackLabelIsHidden) {
  for (const auto& [window, widget] : windows_.all()) {
    for (auto* tabs : widget->findChildren<QTabWidget*>())
      EXPECT_EQ(tabs->currentIndex(), 0);
  }
  EXPECT_TRUE(windows_.control("LoginWindow", "标签1")->isHidden());
  EXPECT_FALSE(static_cast<QCheckBox*>(windows_.control("LoginWindow", "选择框1"))->isChecked());
}

TEST_F(TemplateTest, ListViewsHaveTheirColumnsWidthsAndHiddenHeadingColumn) {
  std::map<QString, int> columnIndex;
  for (const QStringList& row : ReadTable("list_columns.tsv")) {
    ASSERT_EQ(row.size(), 4);
    auto* list = qobject_cast<QTreeWidget*>(windows_.control(row[0], row[1]));
    ASSERT_NE(list, nullptr);
    const int column = columnIndex[row[1]]++;
    SCOPED_TRACE(Str(row[1] + " " + row[2]));
    ASSERT_LT(column, list->columnCount());
    EXPECT_EQ(list->headerItem()->text(column), row[2]);
    const int width = row[3].toInt();
    EXPECT_EQ(list->isColumnHidden(column), width == 0);
    if (width > 0) {
      EXPECT_EQ(list->columnWidth(column), width);
    }
    EXPECT_TRUE(list->headerItem()->textAlignment(column) & Qt::AlignLeft);
  }
  for (const auto& [list, count] : columnIndex) {
    EXPECT_EQ(qobject_cast<QTreeWidget*>(windows_.control("MainWindow", list))->columnCount(),
              count);
  }
}

TEST_F(TemplateTest, HeadingsUseSixteenPixelYaHei) {
  for (const char* name : {"透明标签20", "透明标签25", "透明标签27"}) {
    QWidget* heading = windows_.control("MainWindow", name);
    heading->ensurePolished();
    EXPECT_EQ(heading->font().family(), QStringLiteral("微软雅黑")) << name;
    EXPECT_EQ(heading->font().pixelSize(), 16) << name;
    EXPECT_EQ(heading->font().weight(), QFont::Normal) << name;
  }
  // Other labels keep the window's font.
  QWidget* other = windows_.control("MainWindow", "透明标签21");
  EXPECT_NE(other->font().family(), QStringLiteral("微软雅黑"));
}

// What a screen reader announces: boxes, lists and pictures carry a Chinese name of their own;
// buttons, check boxes, tabs and labels are announced by their captions.
TEST_F(TemplateTest, ScreenReaderNamesAreChineseOrTheCaption) {
  const QRegularExpression chinese(QStringLiteral("^[\\x{4e00}-\\x{9fff}]+$"));
  for (const QStringList& row : ReadTable("window_controls.tsv")) {
    const QString& kind = row[2];
    QWidget* control = windows_.control(row[0], row[1]);
    ASSERT_NE(control, nullptr);
    SCOPED_TRACE(Str(row[0] + " " + row[1]));
    if (kind == "edit box" || kind == "list view" || kind == "picture box") {
      EXPECT_TRUE(chinese.match(control->accessibleName()).hasMatch())
          << Str(control->accessibleName());
    } else if (kind == "button" || kind == "check box" || kind == "transparent label") {
      EXPECT_TRUE(control->accessibleName().isEmpty());
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
      ASSERT_NE(accessible, nullptr);
      EXPECT_EQ(accessible->text(QAccessible::Name), CaptionOf(*control));
    }
  }
  const QStringList expected = {"用户名", "密码", "验证码", "验证码图片"};
  QStringList login;
  for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "图片框1"}) {
    login << windows_.control("LoginWindow", name)->accessibleName();
  }
  EXPECT_EQ(login, expected);
  EXPECT_EQ(windows_.control("MainWindow", "托管状态")->accessibleName(),
            QStringLiteral("托管状态"));
}

TEST_F(TemplateTest, TabKeyFollowsTheVisualOrder) {
  for (const QStringList& row : ReadTable("tab_order.tsv")) {
    ASSERT_EQ(row.size(), 2);
    QWidget& window = windows_[row[0]];
    const QStringList expected = row[1].split(u' ');
    QStringList chain;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
      const bool named = !w->objectName().isEmpty() && !w->objectName().startsWith("qt_");
      if (named && (w->focusPolicy() & Qt::TabFocus) && w->focusProxy() == nullptr)
        chain << w->objectName();
      if (named && w->focusProxy() != nullptr)
        chain << w->objectName();  // the tab control, via its tabs
    }
    chain.removeIf([&](const QString& name) { return !expected.contains(name); });
    EXPECT_EQ(Str(chain.join(u' ')), Str(row[1])) << Str(row[0]);
  }
}

TEST_F(TemplateTest, QuestionsAndAnswersAreFourteenNumberedReadOnlyEntries) {
  auto* faq = qobject_cast<QPlainTextEdit*>(windows_.control("MainWindow", "编辑框2"));
  ASSERT_NE(faq, nullptr);
  EXPECT_TRUE(faq->isReadOnly());
  EXPECT_EQ(faq->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  const QStringList lines = faq->toPlainText().split(u'\n');
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.front(), QStringLiteral("【1.平台如何运行？】"));
  const QRegularExpression heading(QStringLiteral("^【(\\d+)\\.[^】]+】$"));
  int entries = 0;
  for (int i = 0; i < lines.size(); ++i) {
    const auto match = heading.match(lines[i]);
    if (!match.hasMatch())
      continue;
    ++entries;
    EXPECT_EQ(match.captured(1).toInt(), entries);
    // The heading, at least one line of answer, then a line holding one blank.
    ASSERT_LT(i + 1, lines.size());
    EXPECT_FALSE(heading.match(lines[i + 1]).hasMatch());
    int end = i + 1;
    while (end < lines.size() && lines[end] != QStringLiteral(" "))
      ++end;
    EXPECT_LT(end, lines.size()) << "entry " << entries << " lacks its closing blank line";
    EXPECT_GT(end, i + 1);
  }
  EXPECT_EQ(entries, 14);
}

TEST_F(TemplateTest, ThreeWindowsCarryTheProgramIconAndDialogsAreModal) {
  for (const char* name : {"LoginWindow", "MainWindow", "BindAlipayDialog"}) {
    const QIcon icon = windows_[name].windowIcon();
    EXPECT_FALSE(icon.isNull()) << name;
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32)) << name;
  }
  EXPECT_TRUE(windows_["BindAlipayDialog"].isModal());
  EXPECT_TRUE(windows_["ChangePasswordDialog"].isModal());
}

}  // namespace
}  // namespace hosting::ui
