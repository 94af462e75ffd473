// Balloon hints: a small popup with a text, pointing at a widget, that hides
// by itself after a given time; and the application-wide "show hints" switch,
// which also silences tool tips.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace qm {

// Whether hints (tool tips and balloons) are shown; on at start.
bool ShowHints();
void SetShowHints(bool show);

class TBalloonHint : public QWidget {
  Q_OBJECT

public:
  // The time a balloon stays when no other is given.
  static constexpr int kDefaultTimeout = 15000;

  explicit TBalloonHint(QWidget* parent = nullptr);

  // Shows text pointing at anchor (above it when there is room, else below)
  // and hides it after milliseconds (kDefaultTimeout when not positive).
  // Does nothing while hints are off or without an anchor.
  void ShowAt(QWidget* anchor, const QString& text, int milliseconds = kDefaultTimeout);
  // Hides the balloon if it is shown.
  void HideBalloon();

  QString Text() const { return text_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QRect BodyRect() const;

  QString text_;
  bool pointsDown_ = true;  // the tail points down at an anchor below
  int tailX_ = 0;
  QTimer hideTimer_;
};

} // namespace qm
