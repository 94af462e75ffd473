#include "ui/BalloonHint.h"

#include "ui/SkinColors.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>

namespace qm {

namespace {

const int kTail = 8;      // height of the pointer
const int kPadding = 8;   // around the text
const int kMaxTextWidth = 320;

bool& HintsShown() {
  static bool shown = true;
  return shown;
}

// Swallows tool tip events while hints are off.
class THintFilter : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!HintsShown() && event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
  }
};

void InstallHintFilter() {
  static QPointer<THintFilter> filter;
  if (filter || !qApp) return;
  filter = new THintFilter(qApp);
  qApp->installEventFilter(filter);
}

} // namespace

bool ShowHints() { return HintsShown(); }

void SetShowHints(bool show) {
  HintsShown() = show;
  InstallHintFilter();
}

TBalloonHint::TBalloonHint(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("BalloonHint"));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  hideTimer_.setSingleShot(true);
  connect(&hideTimer_, &QTimer::timeout, this, &TBalloonHint::HideBalloon);
}

void TBalloonHint::ShowAt(QWidget* anchor, const QString& text, int milliseconds) {
  if (!anchor || !ShowHints()) return;
  text_ = text;
  const QFontMetrics metrics(font());
  const QRect textRect = metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 10000), Qt::TextWordWrap, text);
  const QSize size(textRect.width() + 2 * kPadding, textRect.height() + 2 * kPadding + kTail);
  const QPoint anchorTop = anchor->mapToGlobal(QPoint(anchor->width() / 2, 0));
  const QPoint anchorBottom = anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height()));
  const QScreen* screen = anchor->screen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
  pointsDown_ = anchorTop.y() - size.height() >= available.top();
  const int left = std::clamp(anchorTop.x() - size.width() + 3 * kTail, available.left(),
                              std::max(available.left(), available.right() - size.width()));
  const int top = pointsDown_ ? anchorTop.y() - size.height() : anchorBottom.y();
  tailX_ = std::clamp(anchorTop.x() - left, 2 * kTail, size.width() - 2 * kTail);
  setGeometry(left, top, size.width(), size.height());
  hideTimer_.start(milliseconds > 0 ? milliseconds : kDefaultTimeout);
  show();
  update();
}

void TBalloonHint::HideBalloon() {
  hideTimer_.stop();
  hide();
}

QRect TBalloonHint::BodyRect() const {
  return pointsDown_ ? QRect(0, 0, width(), height() - kTail) : QRect(0, kTail, width(), height() - kTail);
}

void TBalloonHint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(BodyRect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(body, 6, 6);
  QPolygonF tail;
  if (pointsDown_) {
    tail << QPointF(tailX_ - kTail, body.bottom() - 1) << QPointF(tailX_, height() - 0.5)
         << QPointF(tailX_ + kTail / 2.0, body.bottom() - 1);
  } else {
    tail << QPointF(tailX_ - kTail, body.top() + 1) << QPointF(tailX_, 0.5) << QPointF(tailX_ + kTail / 2.0, body.top() + 1);
  }
  path.addPolygon(tail);
  path = path.simplified();
  painter.setPen(SkinColors().DarkShade);
  painter.setBrush(palette().color(QPalette::ToolTipBase));
  painter.drawPath(path);
  painter.setPen(palette().color(QPalette::ToolTipText));
  painter.drawText(BodyRect().adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::TextWordWrap, text_);
}

void TBalloonHint::mousePressEvent(QMouseEvent*) { HideBalloon(); }

} // namespace qm
