#include "ui/AnimatedImage.h"

#include "ui/AnimationTemplates.h"

#include <QImage>
#include <QPainter>

#include <vector>

#include <gtest/gtest.h>

namespace qm {
namespace {

TImageList SolidPictures(int count, int size = 8) {
  TImageList list(size, size);
  for (int i = 0; i < count; ++i) {
    QPixmap picture(size, size);
    picture.fill(QColor(10 * i, 0, 0));
    list.Add(picture);
  }
  return list;
}

// The feedback icon's settings: 2000 ms for frames 39 to 59, frame 39 held
// 100 ms and frame 52 held 1500 ms.
void SetUpFeedbackIcon(TzemlokImage& image) {
  image.SetAnimationTime(kFeedbackAnimationTime);
  image.SetAnimaitonFirstFrame(kFeedbackFirstFrame);
  image.SetAnimationLastFrame(kFeedbackLastFrame);
  image.SetFrameDelays(kFeedbackFrameDelays);
  image.SetAnimationEnabled(true);
}

// The picture after each tick of a 50 ms timer, starting at start.
std::vector<int> TickEvery50Ms(TzemlokImage& image, uint32_t start, int ticks) {
  std::vector<int> shown;
  for (int i = 0; i < ticks; ++i) {
    image.Tick(start + 50u * static_cast<uint32_t>(i));
    shown.push_back(image.ImageIndex());
  }
  return shown;
}

// Ticks after which each picture first appeared.
std::vector<std::pair<int, int>> Changes(const std::vector<int>& shown, int before) {
  std::vector<std::pair<int, int>> changes;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] != before) changes.emplace_back(static_cast<int>(i), shown[i]);
    before = shown[i];
  }
  return changes;
}

TEST(AnimatedImageTest, ANewControlIsStillAndShowsPictureZero) {
  TzemlokImage image;
  EXPECT_EQ(image.size(), QSize(16, 16));
  EXPECT_FALSE(image.AnimationEnabled());
  EXPECT_EQ(image.ImageIndex(), 0);
  EXPECT_EQ(image.AnimationTime(), 0u);
  EXPECT_TRUE(image.FrameDelays().isEmpty());
  // The properties carry the names the forms store.
  image.setProperty("AnimaitonFirstFrame", 4u);
  EXPECT_EQ(image.AnimaitonFirstFrame(), 4u);
  EXPECT_EQ(image.property("AnimationLastFrame").toUInt(), 0u);
}

TEST(AnimatedImageTest, SwitchingTheAnimationShowsTheFirstFrameOrNothing) {
  TzemlokImage image;
  image.SetAnimaitonFirstFrame(3);
  image.SetAnimationEnabled(true);
  EXPECT_EQ(image.ImageIndex(), 3);
  image.SetAnimationEnabled(false);
  EXPECT_EQ(image.ImageIndex(), -1);
}

TEST(AnimatedImageTest, ImagesGiveTheControlTheirSize) {
  const TImageList pictures = SolidPictures(2, 48);
  TzemlokImage image;
  image.SetImages(&pictures);
  EXPECT_EQ(image.size(), QSize(48, 48));
}

TEST(AnimatedImageTest, TheFeedbackIconStepsEvery100MsAndHoldsItsTwoFrames) {
  TzemlokImage image;
  SetUpFeedbackIcon(image);
  const uint32_t start = 100000;
  const std::vector<int> shown = TickEvery50Ms(image, start, 120);
  const auto changes = Changes(shown, static_cast<int>(kFeedbackFirstFrame));
  // Tick 0 shows frame 40 at once (the animation starts on 39 and its time
  // since the last frame is long past).
  ASSERT_GE(changes.size(), 22u);
  EXPECT_EQ(changes[0], std::make_pair(0, 40));
  for (size_t i = 1; i < 12; ++i) {
    EXPECT_EQ(changes[i].second, static_cast<int>(40 + i));
    EXPECT_EQ(changes[i].first - changes[i - 1].first, 2) << "100 ms per frame, frame " << changes[i].second;
  }
  // Frame 52 stays 1500 ms, then the pass runs on to 59 and starts at 39.
  EXPECT_EQ(changes[12].second, 52);
  EXPECT_EQ(changes[13].second, 53);
  EXPECT_EQ(changes[13].first - changes[12].first, 30);
  EXPECT_EQ(changes[19].second, 59);
  EXPECT_EQ(changes[20].second, 39);
  EXPECT_EQ(changes[21].second, 40);
  EXPECT_EQ(changes[21].first - changes[20].first, 2) << "frame 39 held 100 ms";
}

TEST(AnimatedImageTest, APictureOutsideTheRangeOrAtTheLastFrameGoesToTheFirst) {
  for (int index : {-1, 0, 9, 20, 100}) {
    TzemlokImage image;
    image.SetAnimationTime(1000);
    image.SetAnimaitonFirstFrame(10);
    image.SetAnimationLastFrame(20);
    image.SetAnimationEnabled(true);
    image.SetImageIndex(index);
    image.Tick(5000);
    EXPECT_EQ(image.ImageIndex(), 10) << index;
  }
}

TEST(AnimatedImageTest, NothingMovesWithoutTimeOrRangeOrWhenOff) {
  struct TCase {
    const char* name;
    uint32_t time, first, last;
    bool enabled;
  };
  const TCase cases[] = {
      {"no time", 0, 0, 5, true},
      {"one frame", 1000, 3, 3, true},
      {"last before first", 1000, 5, 2, true},
      {"off", 1000, 0, 5, false},
  };
  for (const TCase& c : cases) {
    TzemlokImage image;
    image.SetAnimationTime(c.time);
    image.SetAnimaitonFirstFrame(c.first);
    image.SetAnimationLastFrame(c.last);
    image.SetImageIndex(static_cast<int>(c.first));
    image.setProperty("AnimationEnabled", c.enabled);
    const int before = image.ImageIndex();
    TickEvery50Ms(image, 10000, 100);
    EXPECT_EQ(image.ImageIndex(), before) << c.name;
  }
}

TEST(AnimatedImageTest, ShortOrOddDelaysHoldOnlyWherePositive) {
  TzemlokImage image;
  image.SetAnimationTime(400);  // 100 ms per frame for frames 0 to 4
  image.SetAnimationLastFrame(4);
  image.SetFrameDelays("x,-5,300");
  image.SetAnimationEnabled(true);
  const auto changes = Changes(TickEvery50Ms(image, 1000, 40), 0);
  // 0 -> 1 at once; frames 1 ("-5") and 3, 4 (no field) step after 100 ms;
  // frame 2 holds 300 ms.
  ASSERT_GE(changes.size(), 5u);
  EXPECT_EQ(changes[0], std::make_pair(0, 1));
  EXPECT_EQ(changes[1], std::make_pair(2, 2));
  EXPECT_EQ(changes[2], std::make_pair(8, 3));
  EXPECT_EQ(changes[3], std::make_pair(10, 4));
  EXPECT_EQ(changes[4], std::make_pair(12, 0));
}

TEST(AnimatedImageTest, TheTickCountMayWrapAround) {
  TzemlokImage image;
  image.SetAnimationTime(400);
  image.SetAnimationLastFrame(4);
  image.SetFrameDelays(",1000");
  image.SetAnimationEnabled(true);
  const uint32_t start = 0xFFFFFC00u;  // 1024 ms before the wrap
  image.Tick(start);                   // frame 1, held until 24 ms before it
  EXPECT_EQ(image.ImageIndex(), 1);
  image.Tick(start + 500);
  EXPECT_EQ(image.ImageIndex(), 1);
  image.Tick(start + 1100);  // past the wrap: the hold is over
  EXPECT_EQ(image.ImageIndex(), 2);
}

// The colour at the centre of the control painted on a transparent picture.
QColor Painted(TzemlokImage& image) {
  QImage canvas(image.size(), QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  image.render(&canvas);
  return canvas.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(AnimatedImageTest, PaintsOnlyAPictureOfTheList) {
  const TImageList pictures = SolidPictures(3);
  TzemlokImage image;
  EXPECT_EQ(Painted(image).alpha(), 0) << "no images";
  image.SetImages(&pictures);
  image.SetImageIndex(2);
  EXPECT_EQ(Painted(image), QColor(20, 0, 0));
  for (int index : {3, 4, -1}) {
    image.SetImageIndex(index);
    EXPECT_EQ(Painted(image).alpha(), 0) << index;
  }
}

} // namespace
} // namespace qm
