#include "ui/AboutBox.h"

#include "diagnostics/SystemInfo.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

class AboutBoxTest : public testing::Test {
protected:
  void SetUp() override {
    CreateLocalizator();
    Localizator()->LoadMessages(ReadMessagesResource());
  }
  void TearDown() override { FreeLocalizator(); }
};

TEST_F(AboutBoxTest, VersionLineTakesTheFirstTwoNumbersAndTheBuild) {
  EXPECT_EQ(AboutVersionLine("1.1.0.43"), "Version: 1.1 (Build 43)");
  EXPECT_EQ(AboutVersionLine("2.10.7.1005"), "Version: 2.10 (Build 1005)");
  EXPECT_EQ(AboutVersionLine(""), "Version:  (Build )");
}

TEST_F(AboutBoxTest, ShowsCaptionVersionAndSite) {
  TDlgAbout about;
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.lCaption->text(), "QuillonMini");
  EXPECT_TRUE(about.lCaption->font().bold());
  EXPECT_EQ(about.lVersion->text(), AboutVersionLine(ProgramFileVersion()));
  EXPECT_EQ(about.lSite->text(), WebSiteAddress());
  EXPECT_TRUE(about.lSite->font().underline());
  EXPECT_EQ(about.lSite->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(about.imgIcon->pixmap().size(), QSize(48, 48));
  EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(about.size(), QSize(TDlgAbout::kClientWidth, TDlgAbout::kClientHeight));
}

TEST_F(AboutBoxTest, EscapeCancelsAndCtrlEnterPressesOk) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int result;
  };
  for (const Case& c : {Case{Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
                        Case{Qt::Key_Return, Qt::ControlModifier, QDialog::Accepted},
                        Case{Qt::Key_Enter, Qt::ControlModifier, QDialog::Accepted}}) {
    TDlgAbout about;
    about.show();
    QTest::keyClick(&about, c.key, c.modifiers);
    EXPECT_FALSE(about.isVisible()) << c.key;
    EXPECT_EQ(about.result(), c.result) << c.key;
  }
}

} // namespace
} // namespace qm
