#include "ui/BalloonHint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

// Counts the tool tip events that reach it.
class TToolTipCounter : public QWidget {
public:
  int toolTips = 0;

protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) ++toolTips;
    return QWidget::event(event);
  }
};

class BalloonHintTest : public testing::Test {
protected:
  BalloonHintTest() {
    window.resize(300, 200);
    window.move(100, 300);
    icon = new QWidget(&window);
    icon->setGeometry(250, 180, 16, 16);
    window.show();
  }
  ~BalloonHintTest() override { SetShowHints(true); }

  QWidget window;
  QWidget* icon;
  TBalloonHint balloon;
};

TEST_F(BalloonHintTest, ABalloonPointsAtTheWidgetAndHidesAfterItsTime) {
  balloon.ShowAt(icon, "Thank you! Your message has been sent", 100);
  ASSERT_TRUE(balloon.isVisible());
  EXPECT_EQ(balloon.Text(), QString("Thank you! Your message has been sent"));
  const QRect iconRect(icon->mapToGlobal(QPoint(0, 0)), icon->size());
  EXPECT_EQ(balloon.geometry().bottom() + 1, iconRect.top()) << "above the icon";
  EXPECT_LE(balloon.geometry().left(), iconRect.center().x());
  EXPECT_GE(balloon.geometry().right(), iconRect.center().x());
  QTest::qWait(30);
  EXPECT_TRUE(balloon.isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !balloon.isVisible(); }, 2000));
}

TEST_F(BalloonHintTest, ANewBalloonRestartsTheTimeAndHideEndsItAtOnce) {
  balloon.ShowAt(icon, "first", 10000);
  balloon.ShowAt(icon, "second", 10000);
  EXPECT_EQ(balloon.Text(), QString("second"));
  balloon.HideBalloon();
  EXPECT_FALSE(balloon.isVisible());
  balloon.HideBalloon();
  EXPECT_FALSE(balloon.isVisible());
}

TEST_F(BalloonHintTest, WithHintsOffNeitherBalloonsNorToolTipsAppear) {
  auto* target = new TToolTipCounter;
  target->setParent(&window);
  target->setToolTip("tip");
  QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), target->mapToGlobal(QPoint(1, 1)));
  SetShowHints(false);
  EXPECT_FALSE(ShowHints());
  balloon.ShowAt(icon, "hidden", 1000);
  EXPECT_FALSE(balloon.isVisible());
  QApplication::sendEvent(target, &help);
  EXPECT_EQ(target->toolTips, 0);
  SetShowHints(true);
  QApplication::sendEvent(target, &help);
  EXPECT_EQ(target->toolTips, 1);
  balloon.ShowAt(icon, "shown", 1000);
  EXPECT_TRUE(balloon.isVisible());
  balloon.ShowAt(nullptr, "nowhere", 1000);
  EXPECT_EQ(balloon.Text(), QString("shown"));
}

} // namespace
} // namespace qm
