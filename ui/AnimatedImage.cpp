#include "ui/AnimatedImage.h"

#include "persistence/OptionsStore.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include <chrono>

namespace qm {

uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TzemlokImage::TzemlokImage(QWidget* parent) : QWidget(parent) {
  // Paints on its parent: never fills its own background.
  setAttribute(Qt::WA_NoSystemBackground);
  resize(16, 16);
}

void TzemlokImage::SetAnimationEnabled(bool enabled) {
  animationEnabled_ = enabled;
  SetImageIndex(enabled ? static_cast<int>(firstFrame_) : -1);
}

void TzemlokImage::SetImages(const TImageList* images) {
  images_ = images;
  if (images_) resize(images_->Width(), images_->Height());
  update();
}

void TzemlokImage::SetImageIndex(int index) {
  imageIndex_ = index;
  update();
}

uint32_t TzemlokImage::HoldFor(int position) const {
  const QStringList fields = frameDelays_.split(QLatin1Char(','));
  if (frameDelays_.isEmpty() || position < 0 || position >= fields.size()) return 0;
  const int32_t delay = TextToInteger(fields[position].toStdString(), 0);
  return delay > 0 ? static_cast<uint32_t>(delay) : 0;
}

void TzemlokImage::Tick(uint32_t now) {
  if (animationTime_ == 0 || !animationEnabled_) return;
  if (lastFrame_ <= firstFrame_) return;
  const uint32_t frameTime = animationTime_ / (lastFrame_ - firstFrame_);
  // Differences of 32-bit tick counts stay right across the wrap-around.
  if (now - shownAt_ < frameTime) return;
  if (holding_ && static_cast<int32_t>(now - holdUntil_) < 0) return;
  shownAt_ = now;
  const int64_t index = imageIndex_;
  const bool inRange = index >= firstFrame_ && index < lastFrame_;
  SetImageIndex(inRange ? imageIndex_ + 1 : static_cast<int>(firstFrame_));
  const uint32_t hold = HoldFor(imageIndex_ - static_cast<int>(firstFrame_));
  holding_ = hold > 0;
  holdUntil_ = now + hold;
}

void TzemlokImage::paintEvent(QPaintEvent*) {
  if (!images_) return;
  QPainter painter(this);
  images_->Draw(painter, 0, 0, imageIndex_);
}

void TzemlokImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QWidget::mouseReleaseEvent(event);
}

void TzemlokImage::contextMenuEvent(QContextMenuEvent* event) {
  if (!popupMenu_) {
    QWidget::contextMenuEvent(event);
    return;
  }
  popupMenu_->popup(event->globalPos());
}

} // namespace qm
