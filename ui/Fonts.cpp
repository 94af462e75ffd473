#include "ui/Fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace qm {

namespace {

QFont FixedFont(int pixels) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(pixels);
  return font;
}

} // namespace

QFont EditorFont() { return FixedFont(15); }

QFont GutterFont() { return FixedFont(11); }

QFont DialogFont() {
  QFont font = QApplication::font();
  font.setPixelSize(13);
  return font;
}

} // namespace qm
