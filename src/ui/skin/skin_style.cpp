#include "ui/skin/skin_style.h"

#include <QApplication>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>

namespace hosting::skin {
namespace {

const QString kPaletteStart = QStringLiteral("/* palette");
const QString kCommentEnd = QStringLiteral("*/");
// A colour written as #rrggbb, not followed by more hex digits (#rrggbbaa is left alone).
const QRegularExpression kHexColour(QStringLiteral("#[0-9a-fA-F]{6}(?![0-9a-fA-F])"));

QString ShiftColours(const QString& text, const ColourShift& shift) {
  QString out;
  out.reserve(text.size());
  qsizetype last = 0;
  for (auto it = kHexColour.globalMatch(text); it.hasNext();) {
    const auto match = it.next();
    out += QStringView(text).mid(last, match.capturedStart() - last);
    out += ShiftColour(QColor(match.captured()), shift).name(QColor::HexRgb);
    last = match.capturedEnd();
  }
  out += QStringView(text).mid(last);
  return out;
}

void SetPaletteLine(QPalette& palette, QStringView line) {
  const auto parts = line.trimmed().split(u' ', Qt::SkipEmptyParts);
  if (parts.size() != 2) {
    return;
  }
  const QColor colour(parts[1]);
  QStringView roleName = parts[0];
  const bool disabledOnly = roleName.startsWith(u"Disabled:");
  if (disabledOnly) {
    roleName = roleName.mid(9);
  }
  bool known = false;
  const int role = QMetaEnum::fromType<QPalette::ColorRole>().keyToValue(
      roleName.toLatin1().constData(), &known);
  if (!known || !colour.isValid()) {
    return;
  }
  const auto colorRole = static_cast<QPalette::ColorRole>(role);
  if (disabledOnly) {
    palette.setColor(QPalette::Disabled, colorRole, colour);
  } else {
    palette.setColor(colorRole, colour);
  }
}

QPalette ReadPalette(const QString& sheet) {
  QPalette palette;
  const auto start = sheet.indexOf(kPaletteStart);
  if (start < 0) {
    return palette;
  }
  const auto bodyStart = start + kPaletteStart.size();
  const auto end = sheet.indexOf(kCommentEnd, bodyStart);
  if (end < 0) {
    return palette;
  }
  const auto body = QStringView(sheet).mid(bodyStart, end - bodyStart);
  for (const auto line : body.split(u'\n')) {
    SetPaletteLine(palette, line);
  }
  return palette;
}

}  // namespace

SkinStyle MakeSkinStyle(const QByteArray& resource, const ColourShift& shift) {
  SkinStyle style;
  style.styleSheet = ShiftColours(QString::fromUtf8(resource), shift);
  style.palette = ReadPalette(style.styleSheet);
  return style;
}

void ApplySkinStyle(const SkinStyle& style) {
  // Fusion draws every control from the palette on every platform, so the skin looks the same.
  if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
  QApplication::setPalette(style.palette);
  qApp->setStyleSheet(style.styleSheet);
}

}  // namespace hosting::skin
