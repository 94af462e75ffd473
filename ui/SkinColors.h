// The colours the window and the dialogs take from the current skin: a light
// and a dark shade derived from the skin's border colour, and the text colour
// of dialog captions; and the recolouring of the animation templates with the
// two shades.
#pragma once

#include "ui/ImageList.h"

#include <QColor>

namespace qm {

struct TSkinColors {
  QColor LightShade;
  QColor DarkShade;
  QColor CaptionText;
};

// The process-wide colours in use; the platform's until a skin sets them.
TSkinColors& SkinColors();
// Button face, button shadow and window text of the application's palette:
// the colours while skins are off.
TSkinColors PlatformSkinColors();

// Dark when red × 76 + green × 150 + blue × 30 is below 25600.
bool IsDarkColor(const QColor& color);

struct TShades {
  QColor Light;
  QColor Dark;
};
// A dark border is the dark shade and 40 lighter per channel the light one; a
// light border is the light shade and 40 darker per channel the dark one.
// Channels stay within 0 to 255.
TShades ComputeShades(const QColor& border);

// The two colours the animation templates are drawn in.
inline const QColor kTemplateSilver{0xC0, 0xC0, 0xC0};
inline const QColor kTemplateGrey{0x80, 0x80, 0x80};

// Clears animations, then adds each template recoloured: opaque silver pixels
// become light, opaque grey ones dark, every other pixel transparent. A
// template that cannot be read clears animations and ends the work.
void RecolorAnimationImages(const TImageList& templates, TImageList& animations, const QColor& light,
                            const QColor& dark);

} // namespace qm
