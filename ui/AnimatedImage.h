// TzemlokImage: a small transparent control that shows one picture of an image
// list and can cycle through a range of pictures as an animation, with an
// optional extra hold time per frame. It has no timer of its own: its owner
// calls Tick at a short fixed interval (the main window every 50 ms).
#pragma once

#include "ui/ImageList.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class QMenu;

namespace qm {

// Milliseconds since an arbitrary start, 32 bits (wraps after 49 days).
uint32_t TickCount();

class TzemlokImage : public QWidget {
  Q_OBJECT
  // The names as the forms store them (including "Animaiton").
  Q_PROPERTY(bool AnimationEnabled READ AnimationEnabled WRITE SetAnimationEnabled)
  Q_PROPERTY(uint AnimationTime READ AnimationTime WRITE SetAnimationTime)
  Q_PROPERTY(uint AnimaitonFirstFrame READ AnimaitonFirstFrame WRITE SetAnimaitonFirstFrame)
  Q_PROPERTY(uint AnimationLastFrame READ AnimationLastFrame WRITE SetAnimationLastFrame)
  Q_PROPERTY(QString FrameDelays READ FrameDelays WRITE SetFrameDelays)
  Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)

public:
  // 16 by 16, animation off, picture 0, no frame delays.
  explicit TzemlokImage(QWidget* parent = nullptr);

  bool AnimationEnabled() const { return animationEnabled_; }
  // On shows the first frame, off shows nothing (ImageIndex -1).
  void SetAnimationEnabled(bool enabled);

  // Time for one pass from the first to the last frame; 0 stops the animation.
  uint32_t AnimationTime() const { return animationTime_; }
  void SetAnimationTime(uint32_t milliseconds) { animationTime_ = milliseconds; }

  uint32_t AnimaitonFirstFrame() const { return firstFrame_; }
  void SetAnimaitonFirstFrame(uint32_t frame) { firstFrame_ = frame; }
  uint32_t AnimationLastFrame() const { return lastFrame_; }
  void SetAnimationLastFrame(uint32_t frame) { lastFrame_ = frame; }

  // Comma-separated extra hold times in ms, one field per frame counted from
  // the first frame; an empty or non-numeric field means no extra hold.
  QString FrameDelays() const { return frameDelays_; }
  void SetFrameDelays(const QString& delays) { frameDelays_ = delays; }

  // The pictures; not owned. A list gives the control its picture size.
  const TImageList* Images() const { return images_; }
  void SetImages(const TImageList* images);

  // The picture shown; -1 shows nothing.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  // The context menu opened by a right click; not owned.
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  // Advances the animation when the next frame is due at now.
  void Tick(uint32_t now);
  void Tick() { Tick(TickCount()); }

signals:
  void clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  uint32_t HoldFor(int position) const;

  bool animationEnabled_ = false;
  uint32_t animationTime_ = 0;
  uint32_t firstFrame_ = 0;
  uint32_t lastFrame_ = 0;
  QString frameDelays_;
  const TImageList* images_ = nullptr;
  int imageIndex_ = 0;
  QMenu* popupMenu_ = nullptr;

  uint32_t shownAt_ = 0;      // tick count when the current frame was shown
  uint32_t holdUntil_ = 0;    // the current frame stays until then...
  bool holding_ = false;      // ...when a hold is set
};

} // namespace qm
