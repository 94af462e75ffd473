#include "ui/SkinManager.h"

#include "TempDir.h"
#include "persistence/DataLocations.h"
#include "ui/AnimationTemplates.h"
#include "ui/SkinColors.h"
#include "ui/SkinStyle.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QStyle>

#include <filesystem>

#include <gtest/gtest.h>

namespace qm {
namespace {

const QString kOffice = QStringLiteral("Office2007 Blue (internal)");
const QString kVista = QStringLiteral("Vista (internal)");

TEST(ShadesTest, ADarkBorderIsTheDarkShadeAndALightOneTheLightShade) {
  struct TCase {
    const char* name;
    QColor border, light, dark;
  };
  const TCase cases[] = {
      {"dark", QColor(0x20, 0x30, 0x40), QColor(0x48, 0x58, 0x68), QColor(0x20, 0x30, 0x40)},
      {"light", QColor(0xC0, 0xD0, 0xE0), QColor(0xC0, 0xD0, 0xE0), QColor(0x98, 0xA8, 0xB8)},
      {"just dark (25524)", QColor(99, 120, 0), QColor(139, 160, 40), QColor(99, 120, 0)},
      {"just light (25600)", QColor(100, 120, 0), QColor(100, 120, 0), QColor(60, 80, 0)},
      {"clamped up", QColor(250, 0, 0), QColor(255, 40, 40), QColor(250, 0, 0)},
      {"clamped down", QColor(10, 240, 250), QColor(10, 240, 250), QColor(0, 200, 210)},
  };
  for (const TCase& c : cases) {
    const TShades shades = ComputeShades(c.border);
    EXPECT_EQ(shades.Light, c.light) << c.name;
    EXPECT_EQ(shades.Dark, c.dark) << c.name;
  }
}

QPixmap Picture(const QList<QColor>& pixels) {
  QImage image(static_cast<int>(pixels.size()), 1, QImage::Format_ARGB32);
  for (int x = 0; x < pixels.size(); ++x) image.setPixelColor(x, 0, pixels[x]);
  return QPixmap::fromImage(image);
}

TEST(RecolorTest, SilverAndGreyTakeTheShadesAndEverythingElseVanishes) {
  TImageList templates(4, 1);
  templates.Add(Picture({kTemplateSilver, kTemplateGrey, QColor(0xC1, 0xC0, 0xC0), QColor(0, 0, 0, 0)}));
  templates.Add(Picture({QColor(0x80, 0x80, 0x80, 128), kTemplateGrey, kTemplateSilver, Qt::black}));
  TImageList animations(4, 1);
  animations.Add(Picture({Qt::red, Qt::red, Qt::red, Qt::red}));
  const QColor light(0xAA, 0xBB, 0xCC);
  const QColor dark(0x11, 0x22, 0x33);
  RecolorAnimationImages(templates, animations, light, dark);
  ASSERT_EQ(animations.Count(), 2);
  const QImage first = animations.Picture(0).toImage();
  EXPECT_EQ(first.pixelColor(0, 0), light);
  EXPECT_EQ(first.pixelColor(1, 0), dark);
  EXPECT_EQ(first.pixelColor(2, 0).alpha(), 0);
  EXPECT_EQ(first.pixelColor(3, 0).alpha(), 0);
  const QImage second = animations.Picture(1).toImage();
  EXPECT_EQ(second.pixelColor(0, 0).alpha(), 0) << "half-transparent grey is no template colour";
  EXPECT_EQ(second.pixelColor(1, 0), dark);
  EXPECT_EQ(second.pixelColor(2, 0), light);
  EXPECT_EQ(second.pixelColor(3, 0).alpha(), 0);
}

TEST(RecolorTest, AnUnreadableTemplateLeavesNoAnimations) {
  TImageList templates(4, 1);
  templates.Add(Picture({kTemplateSilver, kTemplateSilver, kTemplateSilver, kTemplateSilver}));
  templates.Add(QPixmap());
  templates.Add(Picture({kTemplateGrey, kTemplateGrey, kTemplateGrey, kTemplateGrey}));
  TImageList animations(4, 1);
  RecolorAnimationImages(templates, animations, Qt::white, Qt::black);
  EXPECT_EQ(animations.Count(), 0);
}

TEST(AnimationTemplatesTest, TheFeedbackFramesAreDrawnInTheTwoTemplateColoursOnly) {
  const TImageList templates = MakeAnimationTemplates();
  ASSERT_EQ(templates.Count(), static_cast<int>(kFeedbackLastFrame) + 1);
  EXPECT_EQ(templates.Width(), 16);
  int drawnFrames = 0;
  for (int i = 0; i < templates.Count(); ++i) {
    const QImage image = templates.Picture(i).toImage().convertToFormat(QImage::Format_ARGB32);
    int silver = 0, grey = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel.alpha() == 0) continue;
        ASSERT_TRUE(pixel == kTemplateSilver || pixel == kTemplateGrey) << "frame " << i << " at " << x << "," << y;
        (pixel == kTemplateSilver ? silver : grey)++;
      }
    }
    if (i < static_cast<int>(kFeedbackFirstFrame)) {
      EXPECT_EQ(silver + grey, 0) << i;
    }
    if (silver > 0 && grey > 0) ++drawnFrames;
  }
  EXPECT_GE(drawnFrames, 15);
}

// Runs with the data folder in a fresh temporary folder and the application's
// look restored afterwards.
class SkinManagerTest : public testing::Test {
protected:
  void SetUp() override {
    SetDataFolder(temp.Path().string());
    std::filesystem::create_directories(temp.Path() / "skins");
    plainStyle = QApplication::style()->name();
  }
  void TearDown() override { SetDataFolder(""); }

  void WriteSkin(const std::string& fileName, const std::string& text) {
    test::WriteFile((temp.Path() / "skins" / fileName).string(), text);
  }

  test::TempDir temp;
  QString plainStyle;
};

TEST_F(SkinManagerTest, NamesAreTheBuiltInSkinsThenTheSkinFiles) {
  WriteSkin("Night.qss", "/* @border: #101010 */");
  WriteSkin("Amber.qss", "");
  WriteSkin("notes.txt", "");
  WriteSkin(".hidden.qss", "");
  TSkinManager skins;
  EXPECT_EQ(skins.SkinNames(), QStringList({kOffice, kVista, "Amber", "Night"}));
  EXPECT_EQ(skins.SkinName(), kOffice);
  EXPECT_FALSE(skins.Active());
}

TEST_F(SkinManagerTest, SwitchingSkinsRestylesTheApplicationBetweenTheEvents) {
  TSkinManager skins;
  QStringList events;
  skins.OnBeforeChange = [&] { events << "before:" + qApp->styleSheet().left(2); };
  skins.OnAfterChange = [&] { events << "after:" + skins.SkinName(); };
  skins.SetSkinName(kVista);
  EXPECT_TRUE(events.isEmpty()) << "no change is applied while skinning is off";
  skins.SetActive(true);
  EXPECT_EQ(events, QStringList({"before:", "after:" + kVista}));
  EXPECT_EQ(skins.BorderColor(), QColor("#A0AFC3"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor("#F0F0F0"));
  EXPECT_TRUE(qApp->styleSheet().contains("QToolBar"));

  skins.SetSkinName(kOffice);
  EXPECT_EQ(events.size(), 4);
  EXPECT_EQ(skins.TextColor(), QColor("#1E395B"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor("#D7E4F4"));

  skins.SetActive(true);
  EXPECT_EQ(events.size(), 4) << "no change, no events";
  skins.SetActive(false);
  EXPECT_EQ(events.size(), 6);
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  EXPECT_EQ(QApplication::style()->name(), plainStyle);
}

TEST_F(SkinManagerTest, SkinFilesGiveTheirColoursAndUnknownNamesTheDefaultSkin) {
  WriteSkin("Night.qss", "/* @border: #203040 @caption: #E0E0E0 @window: #101820 */\nQStatusBar { color: #E0E0E0; }");
  TSkinManager skins;
  skins.SetActive(true);
  skins.SetSkinName("Night");
  EXPECT_EQ(skins.SkinName(), QString("Night"));
  EXPECT_EQ(skins.BorderColor(), QColor("#203040"));
  EXPECT_EQ(skins.TextColor(), QColor("#E0E0E0"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor("#101820"));
  EXPECT_TRUE(qApp->styleSheet().contains("QStatusBar { color: #E0E0E0; }"));

  for (const char* name : {"Missing", "", "../skins/Night", "Night.qss"}) {
    skins.SetSkinName(name);
    EXPECT_EQ(skins.SkinName(), kOffice) << name;
  }
}

TEST_F(SkinManagerTest, ExtendedBordersDrawInTheBorderColour) {
  TSkinManager skins;
  skins.SetActive(true);
  EXPECT_FALSE(qApp->styleSheet().contains("QMenu {"));
  skins.SetExtendedBorders(true);
  EXPECT_TRUE(skins.ExtendedBorders());
  EXPECT_TRUE(qApp->styleSheet().contains("QMenu { border: 1px solid #8caad6; }"));
}

TEST_F(SkinManagerTest, TheWindowColoursFollowTheSkinOrThePlatform) {
  WriteSkin("Night.qss", "/* @border: #203040 @caption: #E0E0E0 */");
  const TImageList templates = MakeAnimationTemplates();
  TImageList animations;
  TSkinManager skins;
  skins.SetActive(true);
  skins.SetSkinName("Night");
  ApplySkinColors(skins, templates, animations);
  EXPECT_EQ(SkinColors().DarkShade, QColor("#203040"));
  EXPECT_EQ(SkinColors().LightShade, QColor("#485868"));
  EXPECT_EQ(SkinColors().CaptionText, QColor("#E0E0E0"));
  ASSERT_EQ(animations.Count(), templates.Count());
  const int frame = static_cast<int>(kFeedbackFirstFrame) + 13;
  EXPECT_NE(animations.Picture(frame).toImage(), templates.Picture(frame).toImage());

  skins.SetActive(false);
  ApplySkinColors(skins, templates, animations);
  const QPalette plain = QApplication::palette();
  EXPECT_EQ(SkinColors().LightShade, plain.color(QPalette::Button));
  EXPECT_EQ(SkinColors().DarkShade, plain.color(QPalette::Dark));
  EXPECT_EQ(SkinColors().CaptionText, plain.color(QPalette::WindowText));
  EXPECT_EQ(animations.Picture(frame).toImage(), templates.Picture(frame).toImage());
}

TEST(TitledDividerTest, ACaptionBetweenDashesIsATitledDivider) {
  const std::pair<const char*, const char*> titled[] = {{"-Edit-", "Edit"}, {"-English (US)-", "English (US)"}, {"--", ""}};
  for (const auto& [caption, title] : titled) {
    EXPECT_TRUE(IsTitledDividerCaption(caption)) << caption;
    EXPECT_EQ(DividerTitle(caption), QString(title));
  }
  for (const char* caption : {"-", "", "Edit", "-Edit", "Edit-", "Add to Dictionary"}) {
    EXPECT_FALSE(IsTitledDividerCaption(caption)) << caption;
  }
}

// The longest run of pixels of one colour on one row of the picture.
int LongestRun(const QImage& image, const QColor& color) {
  int longest = 0;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      run = image.pixelColor(x, y) == color ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

QImage MenuPicture() {
  QMenu menu;
  menu.addAction("Undo");
  menu.addAction("-Edit-")->setEnabled(false);
  menu.addAction("Select All");
  menu.popup(QPoint(0, 0));
  const QImage picture = menu.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  menu.hide();
  return picture;
}

TEST_F(SkinManagerTest, TitledDividersAreDrawnWhileSkinningIsOn) {
  TSkinManager skins;
  skins.SetActive(true);
  const TShades shades = ComputeShades(skins.BorderColor());
  EXPECT_GE(LongestRun(MenuPicture(), shades.Dark), 20) << "the divider's line";
  skins.SetActive(false);
  EXPECT_LT(LongestRun(MenuPicture(), shades.Dark), 20);
}

} // namespace
} // namespace qm
