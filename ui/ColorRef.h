// The engine's colours are 32-bit values 0x00BBGGRR (red in the low byte),
// with clNone for "the control's own colour"; painting needs QColor.
#pragma once

#include "lexers/SynHighlighterAttributes.h"

#include <QColor>

#include <cstdint>

namespace qm {

// True for a plain 0x00BBGGRR value: clNone and any value with bits in the
// high byte (no colour of ours) are not.
bool IsColorRef(uint32_t color);

// An invalid QColor for what is not a plain colour value.
QColor QColorFromColorRef(uint32_t color);
uint32_t ColorRefFromQColor(const QColor& color);

} // namespace qm
