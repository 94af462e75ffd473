#include "ui/SkinColors.h"

#include <QApplication>
#include <QImage>
#include <QPalette>

#include <algorithm>

namespace qm {

namespace {

const int kShadeStep = 40;

QColor Shifted(const QColor& color, int step) {
  auto channel = [step](int value) { return std::clamp(value + step, 0, 255); };
  return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

bool IsOpaque(QRgb pixel, const QColor& color) {
  return qAlpha(pixel) == 255 && (pixel & 0xFFFFFF) == (color.rgb() & 0xFFFFFF);
}

} // namespace

TSkinColors& SkinColors() {
  static TSkinColors colors = PlatformSkinColors();
  return colors;
}

TSkinColors PlatformSkinColors() {
  const QPalette palette = QApplication::palette();
  return {palette.color(QPalette::Button), palette.color(QPalette::Dark), palette.color(QPalette::WindowText)};
}

bool IsDarkColor(const QColor& color) {
  return color.red() * 76 + color.green() * 150 + color.blue() * 30 < 25600;
}

TShades ComputeShades(const QColor& border) {
  if (IsDarkColor(border)) return {Shifted(border, kShadeStep), Shifted(border, 0)};
  return {Shifted(border, 0), Shifted(border, -kShadeStep)};
}

void RecolorAnimationImages(const TImageList& templates, TImageList& animations, const QColor& light,
                            const QColor& dark) {
  animations.Clear();
  const QRgb lightPixel = light.rgb() | 0xFF000000u;
  const QRgb darkPixel = dark.rgb() | 0xFF000000u;
  for (int i = 0; i < templates.Count(); ++i) {
    QImage image = templates.Picture(i).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
      animations.Clear();
      return;
    }
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if (IsOpaque(line[x], kTemplateSilver)) {
          line[x] = lightPixel;
        } else if (IsOpaque(line[x], kTemplateGrey)) {
          line[x] = darkPixel;
        } else {
          line[x] = 0;
        }
      }
    }
    animations.Add(QPixmap::fromImage(image));
  }
}

} // namespace qm
