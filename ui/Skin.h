// One skin: a palette, a style sheet, and the border and text colours the
// window and dialogs take from it. A skin is written as a Qt style sheet whose
// comments may name colours as "@role: #rrggbb":
//   @border    the border colour (default: the palette's dark colour)
//   @caption   the text colour of dialog captions (default: window text)
//   @window, @window-text, @base, @alternate-base, @text, @button,
//   @button-text, @highlight, @highlighted-text, @tooltip-base,
//   @tooltip-text, @light, @mid, @dark: palette roles
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

namespace qm {

struct TSkin {
  QString Name;
  QPalette Palette;
  QColor Border;
  QColor Text;
  QString StyleSheet;
};

// The skin that sheet describes, its palette built on base.
TSkin ParseSkin(const QString& name, const QString& sheet, const QPalette& base);

} // namespace qm
