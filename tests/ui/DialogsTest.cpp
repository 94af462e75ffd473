#include "ui/AlphaDialog.h"

#include "ui/Localizator.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <optional>

#include <gtest/gtest.h>

namespace qm {
namespace {

// Names no button: the answer presses Escape.
const QString kEscape = QStringLiteral("<Escape>");

// Loads the real message table and answers every dialog with the next of the
// given answers, keeping what each dialog showed.
class DialogsTest : public testing::Test {
protected:
  struct TSeen {
    TDialogRequest Request;
    QString Image;
    QSize Size;
    QList<QRect> ButtonRects;
    QSize LabelSize;
    bool FirstButtonFocused = false;
    QFont Font;
  };

  void SetUp() override {
    CreateLocalizator();
    Localizator()->LoadMessages(ReadMessagesResource());
  }
  void TearDown() override {
    SetDialogAnswerer({});
    FreeLocalizator();
  }

  void AnswerWith(const QString& answer) {
    SetDialogAnswerer([this, answer](const TDialogRequest& request) {
      // The dialog is gone once ShowDialog returns: keep what it showed.
      TSeen seen{request, request.Dialog->ShownImage(), request.Dialog->size(), {}, {}, false,
                 request.Dialog->font()};
      for (const QPushButton* button : request.Dialog->Buttons()) seen.ButtonRects.append(button->geometry());
      seen.LabelSize = request.Dialog->CaptionLabel()->size();
      seen.FirstButtonFocused =
          !request.Dialog->Buttons().isEmpty() && request.Dialog->focusWidget() == request.Dialog->Buttons().front();
      activeWhileShown = ActiveAlphaDialog() == request.Dialog;
      last = seen;
      return answer;
    });
  }

  std::optional<TSeen> last;
  bool activeWhileShown = false;
};

TEST_F(DialogsTest, SaveDiscardContinueAnswersTheButtonOrTheDefaultWhenDismissed) {
  const std::pair<QString, QString> cases[] = {
      {"Save", "Save"}, {"Discard", "Discard"}, {"Continue", "Continue"}, {kEscape, "Continue"}};
  for (const auto& [answer, expected] : cases) {
    AnswerWith(answer);
    EXPECT_EQ(ShowDialog(GetMessage("msgConfirmDialogCaption"), GetMessage("msgFileModified"),
                         DialogKind::Confirmation, "Save|Discard|Continue", "Continue"),
              expected)
        << answer.toStdString();
  }
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Request.Caption, QString("Confirm"));
  EXPECT_EQ(last->Request.Buttons, QStringList({"Save", "Discard", "Continue"}));
  EXPECT_EQ(last->Request.Captions, QStringList({"Save", "Discard", "Continue"}));
  EXPECT_EQ(last->Image, QString("imConfirm"));
  EXPECT_TRUE(activeWhileShown);
  EXPECT_EQ(ActiveAlphaDialog(), nullptr);
}

TEST_F(DialogsTest, ButtonsAreCaptionedFromTheTableAndAllAsWideAsTheWidestName) {
  AnswerWith("YesToAll");
  EXPECT_EQ(ShowDialog("Confirm Replace", "Replace this?", DialogKind::Confirmation, "Yes|YesToAll|No|Cancel",
                       "Cancel"),
            QString("YesToAll"));
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Request.Captions, QStringList({"Yes", "Yes To All", "No", "Cancel"}));
  const QFontMetrics metrics(last->Font);
  const int width = std::max(75, metrics.horizontalAdvance("YesToAll") + 30);
  const int height = last->Size.height();
  const int rowWidth = 4 * (width + 15) - 15;
  const int dialogWidth = std::max(last->Size.width(), rowWidth + 16);
  EXPECT_EQ(last->Size.width(), dialogWidth);
  const int margin = (dialogWidth - rowWidth - 6) / 2;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(last->ButtonRects[i], QRect((width + 15) * i + margin, height - 25 - 6, width, 25)) << i;
  }
  EXPECT_TRUE(last->FirstButtonFocused);
}

TEST_F(DialogsTest, DismissingWithoutAMatchingDefaultAnswersEmpty) {
  const std::pair<QString, QString> cases[] = {{"", "OK"}, {"OK|Cancel", "Maybe"}, {"A||B", ""}};
  for (const auto& [buttons, defaultButton] : cases) {
    AnswerWith(kEscape);
    EXPECT_TRUE(ShowDialog("Caption", "Text", DialogKind::Warning, buttons, defaultButton).isEmpty())
        << buttons.toStdString();
  }
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Request.Buttons, QStringList({"A", "", "B"}));
  EXPECT_EQ(last->Request.Captions, QStringList({"", "", ""})) << "names that are no keys give empty captions";
  EXPECT_EQ(last->Image, QString("imWarning"));
  AnswerWith(kEscape);
  ShowDialog("Caption", "Text", DialogKind::Information, "", "");
  EXPECT_TRUE(last->ButtonRects.isEmpty());
}

TEST_F(DialogsTest, AnEmptyNamedButtonCanBeChosen) {
  AnswerWith("");
  EXPECT_EQ(ShowDialog("Caption", "Text", DialogKind::Warning, "A||B", "B"), QString(""));
  AnswerWith(kEscape);
  EXPECT_EQ(ShowDialog("Caption", "Text", DialogKind::Warning, "A||B", "B"), QString("B"));
}

TEST_F(DialogsTest, TheKindChoosesTheIcon) {
  const std::pair<DialogKind, const char*> cases[] = {
      {DialogKind::Warning, "imWarning"},
      {DialogKind::Error, "imError"},
      {DialogKind::Information, "imInfo"},
      {DialogKind::Confirmation, "imConfirm"},
      {static_cast<DialogKind>(7), "imInfo"},
  };
  for (const auto& [kind, image] : cases) {
    AnswerWith("OK");
    ShowDialog("Caption", "Text", kind, "OK", "OK");
    EXPECT_EQ(last->Image, QString(image));
  }
}

TEST_F(DialogsTest, TheDialogFitsShortTextsAndStaysWithinTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  AnswerWith("OK");
  ShowDialog("Caption", "Hi", DialogKind::Information, "OK", "OK");
  EXPECT_EQ(last->Size, QSize(200, 126));

  AnswerWith("OK");
  ShowDialog("Caption", QString(2000, QChar('W')), DialogKind::Information, "OK", "OK");
  EXPECT_EQ(last->Size.width(), screen.width() - 50);
  EXPECT_EQ(last->LabelSize.width(), screen.width() - 140);

  AnswerWith("OK");
  ShowDialog("Caption", QStringList(300, "line").join('\n'), DialogKind::Information, "OK", "OK");
  EXPECT_EQ(last->Size.height(), screen.height() - 50);
  EXPECT_EQ(last->LabelSize.height(), screen.height() - 130);

  AnswerWith("OK");
  ShowDialog("Caption", "one\ntwo\nthree", DialogKind::Information, "OK", "OK");
  EXPECT_EQ(last->Size.height(), std::max(126, last->LabelSize.height() + 80));
  EXPECT_GT(last->LabelSize.height(), 2 * QFontMetrics(last->Font).height());
}

TEST_F(DialogsTest, ErrorAndInfoDialogsTakeTheirCaptionsFromTheTable) {
  AnswerWith(kEscape);
  ShowErrorDialog(GetMessage("msgFileIsTooBig"), "OK");
  EXPECT_EQ(last->Request.Caption, QString("Error"));
  EXPECT_EQ(last->Request.Text, QString("This file is too big"));
  EXPECT_EQ(last->Request.DefaultButton, QString("OK"));
  EXPECT_EQ(last->Request.Kind, DialogKind::Error);
  AnswerWith(kEscape);
  ShowInfoDialog("Found nothing", "OK");
  EXPECT_EQ(last->Request.Caption, QString("Information"));
  EXPECT_EQ(last->Request.Kind, DialogKind::Information);
}

TEST_F(DialogsTest, WithAnEmptyTableTheErrorDialogStillHasACaption) {
  Localizator()->LoadMessages("");
  AnswerWith(kEscape);
  ShowErrorDialog("Text", "OK");
  EXPECT_EQ(last->Request.Caption, QString("Error"));
  EXPECT_EQ(last->Request.Captions, QStringList({""}));
  AnswerWith(kEscape);
  ShowInfoDialog("Text", "OK");
  EXPECT_EQ(last->Request.Caption, QString("Information"));
}

TEST(AlphaDialogTest, TheCloseBoxAndEscapeAnswerTheDefaultButton) {
  TAlphaDialog dialog;
  dialog.Prepare("Caption", "Text", DialogKind::Confirmation, {"Save", "Discard", "Continue"}, "Continue");
  EXPECT_EQ(dialog.DefaultResult(), 3);
  dialog.show();
  dialog.close();
  EXPECT_EQ(dialog.ChosenName(), QString("Continue"));
  EXPECT_EQ(dialog.CaptionLabel()->textFormat(), Qt::PlainText);
}

TEST(SplitButtonNamesTest, SplitsAtEveryBar) {
  EXPECT_EQ(SplitButtonNames(""), QStringList());
  EXPECT_EQ(SplitButtonNames("OK"), QStringList({"OK"}));
  EXPECT_EQ(SplitButtonNames("|"), QStringList({"", ""}));
  EXPECT_EQ(SplitButtonNames("Yes|YesToAll|No|Cancel").size(), 4);
}

} // namespace
} // namespace qm
