// The style of a skinned application: Fusion with the skin's colours, which
// draws a menu item whose caption begins and ends with "-" (such as
// "-Dictionary-") as a divider line titled with the text between the dashes.
#pragma once

#include <QColor>
#include <QProxyStyle>
#include <QString>

namespace qm {

// True for a caption of at least two characters that begins and ends with
// "-"; a lone "-" is a plain separator.
bool IsTitledDividerCaption(const QString& caption);
// The text between the dashes of a titled divider caption.
QString DividerTitle(const QString& caption);

class TSkinStyle : public QProxyStyle {
  Q_OBJECT

public:
  // light and dark draw the divider's band and line, text its title.
  TSkinStyle(const QColor& light, const QColor& dark, const QColor& text);

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;

private:
  QColor light_;
  QColor dark_;
  QColor text_;
};

} // namespace qm
