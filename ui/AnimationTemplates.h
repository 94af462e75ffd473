// The templates of the window's animations, drawn by the program: 16 by 16
// pictures in silver (0xC0C0C0) and grey (0x808080) only on a transparent
// background, so that RecolorAnimationImages can paint them in the skin's
// shades.
#pragma once

#include "ui/ImageList.h"

#include <cstdint>

namespace qm {

// The feedback icon's frames within the templates: a letter flying across,
// pausing in the middle (its hold times count from the first frame).
inline constexpr uint32_t kFeedbackFirstFrame = 39;
inline constexpr uint32_t kFeedbackLastFrame = 59;
inline constexpr uint32_t kFeedbackAnimationTime = 2000;
inline constexpr const char* kFeedbackFrameDelays = "100,,,,,,,,,,,,,1500";

// Pictures 0 .. kFeedbackLastFrame; the pictures before the feedback frames
// are empty.
TImageList MakeAnimationTemplates();

} // namespace qm
