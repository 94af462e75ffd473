#include "ui/AnimationTemplates.h"

#include "ui/SkinColors.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace qm {

namespace {

const int kSize = 16;
const int kLetterWidth = 12;
const int kLetterHeight = 9;
const int kLetterTop = 4;
// Frame index (from the first feedback frame) at which the letter is centred.
const int kPauseFrame = 13;

QImage EmptyPicture() {
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A letter with its left edge at x: silver paper, grey edges and flap, and two
// grey speed lines behind it. Drawn without smoothing so that every pixel is
// exactly one of the two colours.
void DrawLetter(QImage& image, int x) {
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(x, kLetterTop, kLetterWidth, kLetterHeight), kTemplateSilver);
  painter.setPen(kTemplateGrey);
  painter.drawRect(QRect(x, kLetterTop, kLetterWidth - 1, kLetterHeight - 1));
  const int middle = x + kLetterWidth / 2;
  painter.drawLine(x, kLetterTop, middle - 1, kLetterTop + 4);
  painter.drawLine(middle, kLetterTop + 4, x + kLetterWidth - 1, kLetterTop);
  painter.drawLine(x - 5, kLetterTop + 3, x - 2, kLetterTop + 3);
  painter.drawLine(x - 4, kLetterTop + 6, x - 2, kLetterTop + 6);
}

// Left edge of the letter in feedback frame k: it enters from the left, is
// centred at the pause frame and then leaves to the right.
int LetterLeft(int frame) {
  const int centred = (kSize - kLetterWidth) / 2;
  const int lastFrame = static_cast<int>(kFeedbackLastFrame - kFeedbackFirstFrame);
  if (frame <= kPauseFrame) {
    return -kLetterWidth + static_cast<int>(std::lround((centred + kLetterWidth) * frame / double(kPauseFrame)));
  }
  const double run = (kSize + 1 - centred) / double(lastFrame - kPauseFrame);
  return centred + static_cast<int>(std::lround(run * (frame - kPauseFrame)));
}

} // namespace

TImageList MakeAnimationTemplates() {
  TImageList templates(kSize, kSize);
  for (uint32_t i = 0; i < kFeedbackFirstFrame; ++i) templates.Add(QPixmap::fromImage(EmptyPicture()));
  for (uint32_t i = kFeedbackFirstFrame; i <= kFeedbackLastFrame; ++i) {
    QImage image = EmptyPicture();
    DrawLetter(image, LetterLeft(static_cast<int>(i - kFeedbackFirstFrame)));
    templates.Add(QPixmap::fromImage(image));
  }
  return templates;
}

} // namespace qm
