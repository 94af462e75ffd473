#include "ui/ColorRef.h"

namespace qm {

bool IsColorRef(uint32_t color) { return (color & 0xFF000000u) == 0; }

QColor QColorFromColorRef(uint32_t color) {
  if (!IsColorRef(color)) return {};
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

uint32_t ColorRefFromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<uint32_t>(rgb.red()) | static_cast<uint32_t>(rgb.green()) << 8 |
         static_cast<uint32_t>(rgb.blue()) << 16;
}

} // namespace qm
