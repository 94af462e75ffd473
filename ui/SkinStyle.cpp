#include "ui/SkinStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace qm {

namespace {

const int kDividerMargin = 6;

// The caption part of a menu item's text (a shortcut follows a tab).
QString CaptionOf(const QString& itemText) { return itemText.section(QLatin1Char('\t'), 0, 0); }

} // namespace

bool IsTitledDividerCaption(const QString& caption) {
  return caption.size() >= 2 && caption.startsWith(QLatin1Char('-')) && caption.endsWith(QLatin1Char('-'));
}

QString DividerTitle(const QString& caption) {
  return IsTitledDividerCaption(caption) ? caption.mid(1, caption.size() - 2) : QString();
}

TSkinStyle::TSkinStyle(const QColor& light, const QColor& dark, const QColor& text)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), light_(light), dark_(dark), text_(text) {}

void TSkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || !item || !IsTitledDividerCaption(CaptionOf(item->text))) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const QString title = DividerTitle(CaptionOf(item->text));
  painter->save();
  painter->fillRect(item->rect, light_);
  QFont font = item->font;
  font.setBold(true);
  painter->setFont(font);
  const QRect area = item->rect.adjusted(kDividerMargin, 0, -kDividerMargin, 0);
  int lineStart = area.left();
  if (!title.isEmpty()) {
    painter->setPen(text_);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
    lineStart += QFontMetrics(font).horizontalAdvance(title) + kDividerMargin;
  }
  if (lineStart < area.right()) painter->fillRect(QRect(lineStart, item->rect.center().y(), area.right() - lineStart + 1, 1), dark_);
  painter->restore();
}

} // namespace qm
