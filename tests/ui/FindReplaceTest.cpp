#include "ui/EditorSearch.h"
#include "ui/FindDialog.h"

#include "TempDir.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/AboutBox.h"
#include "ui/AlphaDialog.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"
#include "ui/PreferencesDialog.h"
#include "ui/RadioGroup.h"
#include "ui/SynEditWidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

const QString kEscape = QStringLiteral("<Escape>");

// ---- The editor's search and replace ----------------------------------

class EditorSearchTest : public testing::Test {
protected:
  // Columns:    1234567890123456
  //   line 1:   Cat cat concat
  //   line 2:   cat
  void SetUp() override { editor_.ReplaceRange({1, 1}, {1, 1}, u"Cat cat concat\ncat"); }

  std::u16string Text() const {
    std::u16string text;
    for (const std::u16string& line : editor_.AllLines()) text += line + u"\n";
    return text;
  }

  TSynEditWidget editor_;
};

TEST_F(EditorSearchTest, FindSelectsTheOccurrenceTheOptionsAllow) {
  struct Case {
    const char* name;
    uint8_t options;
    TBufferCoord caret;
    int found;
    TBufferCoord start;
  };
  const Case cases[] = {
      {"ignoring case, from the caret", 0, {1, 1}, 1, {1, 1}},
      {"match case", ssoMatchCase, {1, 1}, 1, {5, 1}},
      {"forward from the caret", 0, {6, 1}, 1, {12, 1}},
      {"whole words skip concat", ssoWholeWord, {6, 1}, 1, {1, 2}},
      {"backwards from the caret", ssoBackwards, {5, 1}, 1, {1, 1}},
      {"backwards over the whole scope", ssoBackwards | ssoEntireScope, {1, 1}, 1, {1, 2}},
      {"entire scope ignores the caret", ssoEntireScope, {4, 2}, 1, {1, 1}},
      {"nothing after the caret", ssoMatchCase, {4, 2}, 0, {}},
  };
  for (const Case& c : cases) {
    editor_.SetCaretXY(c.caret);
    EXPECT_EQ(SearchReplace(editor_, u"cat", u"", c.options), c.found) << c.name;
    if (c.found == 0) continue;
    EXPECT_EQ(editor_.BlockBegin(), c.start) << c.name;
    EXPECT_EQ(editor_.SelectionLength(), 3) << c.name;
  }
}

TEST_F(EditorSearchTest, RepeatedSearchesStepThroughTheOccurrencesInBothDirections) {
  const auto at = [this] { return editor_.BlockBegin().Line * 100 + editor_.BlockBegin().Char; };
  std::vector<int> forward;
  editor_.SetCaretXY({1, 1});
  while (SearchReplace(editor_, u"cat", u"", 0) > 0) forward.push_back(at());
  EXPECT_EQ(forward, (std::vector<int>{101, 105, 112, 201}));

  std::vector<int> backward;
  while (SearchReplace(editor_, u"cat", u"", ssoBackwards) > 0) backward.push_back(at());
  // The caret stays on the last occurrence found, so it comes first.
  EXPECT_EQ(backward, (std::vector<int>{201, 112, 105, 101}));
}

TEST_F(EditorSearchTest, SelectedTextOnlySearchesInsideTheSelection) {
  editor_.SetSelection({6, 1}, {15, 1});  // "at concat"
  EXPECT_EQ(SearchReplace(editor_, u"cat", u"", ssoSelectedOnly), 1);
  EXPECT_EQ(editor_.BlockBegin(), (TBufferCoord{12, 1}));

  editor_.SetSelection({1, 2}, {4, 2});
  EXPECT_EQ(SearchReplace(editor_, u"cat", u"dog", ssoSelectedOnly | ssoReplace | ssoReplaceAll), 1);
  EXPECT_EQ(Text(), u"Cat cat concat\ndog\n");
}

TEST_F(EditorSearchTest, ReplaceAllCountsEveryOccurrenceAndNeverRematchesTheReplacement) {
  EXPECT_EQ(SearchReplace(editor_, u"cat", u"a cat", ssoEntireScope | ssoReplace | ssoReplaceAll), 4);
  EXPECT_EQ(Text(), u"a cat a cat cona cat\na cat\n");
  EXPECT_EQ(SearchReplace(editor_, u"a cat", u"", ssoBackwards | ssoEntireScope | ssoReplace | ssoReplaceAll), 4);
  EXPECT_EQ(Text(), u"  con\n\n");
}

TEST_F(EditorSearchTest, ReplaceWithoutReplaceAllChangesOnlyTheFirst) {
  editor_.SetCaretXY({1, 1});
  EXPECT_EQ(SearchReplace(editor_, u"cat", u"dog", ssoMatchCase | ssoReplace), 1);
  EXPECT_EQ(Text(), u"Cat dog concat\ncat\n");
  EXPECT_TRUE(editor_.CanUndo());
}

TEST_F(EditorSearchTest, AskedReplaceOffersEachOccurrenceSelected) {
  std::vector<TBufferCoord> asked;
  std::vector<std::u16string> selected;
  const TReplaceAction answers[] = {TReplaceAction::raSkip, TReplaceAction::raReplace, TReplaceAction::raCancel};
  const auto ask = [&](const std::u16string&, const std::u16string&, int line, int column) {
    asked.push_back({column, line});
    selected.push_back(editor_.SelectedText());
    return answers[asked.size() - 1];
  };
  EXPECT_EQ(SearchReplace(editor_, u"cat", u"dog", ssoEntireScope | ssoReplace | ssoReplaceAll | ssoPrompt, ask), 3);
  EXPECT_EQ(asked, (std::vector<TBufferCoord>{{1, 1}, {5, 1}, {12, 1}}));
  EXPECT_EQ(selected, (std::vector<std::u16string>{u"Cat", u"cat", u"cat"}));
  EXPECT_EQ(Text(), u"Cat dog concat\ncat\n");
}

TEST(MatchesAtTest, CaseAndWordRules) {
  EXPECT_TRUE(MatchesAt(u"ÄPFEL", 0, u"äpfel", 0));
  EXPECT_FALSE(MatchesAt(u"ÄPFEL", 0, u"äpfel", ssoMatchCase));
  EXPECT_FALSE(MatchesAt(u"my_cat", 3, u"cat", ssoWholeWord));
  EXPECT_TRUE(MatchesAt(u"(cat)", 1, u"cat", ssoWholeWord));
  EXPECT_FALSE(MatchesAt(u"ca", 0, u"cat", 0));
  EXPECT_FALSE(MatchesAt(u"cat", 0, u"", 0));
}

// ---- The window's find, search again and replace ----------------------

// A data folder without dictionaries, the settings and the message table:
// enough for the window to open a text and search in it.
class FindReplaceTest : public testing::Test {
protected:
  void SetUp() override {
    SetDataFolder(dir_.Path().string());
    LoadDictionaryDescriptions();
    Options().Clear();
    LoadOptions(Options(), ConfigFile());
    CreateLocalizator();
    LoadSpellerLibrary();
    window_ = std::make_unique<TfrmMain>();
    SetDialogAnswerer([this](const TDialogRequest& request) {
      dialogs_.push_back(request);
      return answers_.empty() ? kEscape : answers_.takeFirst();
    });
  }

  void TearDown() override {
    window_.reset();
    SetDialogAnswerer({});
    ReleaseDictionaries();
    UnloadSpellerLibrary();
    FreeLocalizator();
    Options().Clear();
    SetDataFolder("");
  }

  TSynEditWidget& Open(const std::string& text) {
    const std::string file = dir_.File("sample.txt");
    test::WriteFile(file, text);
    window_->OpenFile(file);
    return *window_->SynEdit();
  }

  std::u16string Text() const { return window_->SynEdit()->LineText(1); }

  // Runs the action; once its dialog is shown, act fills it in and the
  // dialog is closed with OK (or Cancel).
  void RunDialog(QAction* action, const std::function<void(TdlgFind&)>& act, bool ok = true) {
    TdlgFind& dialog = *window_->dlgFind();
    bool shown = false;
    QTimer::singleShot(0, [&] {
      shown = dialog.isVisible();
      if (act) act(dialog);
      (ok ? dialog.btnOK : dialog.btnCancel)->click();
    });
    action->trigger();
    EXPECT_TRUE(shown);
  }

  void Find(const QString& search) {
    RunDialog(window_->actFind, [&](TdlgFind& dialog) { dialog.cbSearchText->setEditText(search); });
  }

  void Replace(const QString& search, const QString& replacement) {
    RunDialog(window_->actReplace, [&](TdlgFind& dialog) {
      dialog.cbSearchText->setEditText(search);
      dialog.cbReplaceText->setEditText(replacement);
      dialog.rgOrigin->SetItemIndex(1);
    });
  }

  test::TempDir dir_;
  std::unique_ptr<TfrmMain> window_;
  QStringList answers_;
  std::vector<TDialogRequest> dialogs_;
};

TEST_F(FindReplaceTest, FindShowsTheSelectedTextWithoutTheReplacePanel) {
  TSynEditWidget& editor = Open("xx abc yy\n");
  editor.SetSelection({4, 1}, {7, 1});
  QString prefilled, caption;
  bool replaceShown = true, focused = false;
  int height = 0;
  RunDialog(window_->actFind, [&](TdlgFind& dialog) {
    prefilled = dialog.cbSearchText->currentText();
    caption = dialog.windowTitle();
    replaceShown = dialog.pnlReplace->isVisible();
    height = dialog.height();
    focused = dialog.focusWidget() == dialog.cbSearchText ||
              dialog.focusWidget() == static_cast<QWidget*>(dialog.cbSearchText->lineEdit());
  }, false);
  EXPECT_EQ(prefilled, "abc");
  EXPECT_EQ(caption, "Find Text");
  EXPECT_FALSE(replaceShown);
  EXPECT_EQ(height, 218);
  EXPECT_TRUE(focused);

  RunDialog(window_->actReplace, [&](TdlgFind& dialog) {
    caption = dialog.windowTitle();
    replaceShown = dialog.pnlReplace->isVisible();
    height = dialog.height();
  }, false);
  EXPECT_EQ(caption, "Replace Text");
  EXPECT_TRUE(replaceShown);
  EXPECT_EQ(height, 250);
}

TEST_F(FindReplaceTest, NotFoundIsReportedAndDisablesSearchAgainUntilAFindSucceeds) {
  TSynEditWidget& editor = Open("one cat two cat\n");
  EXPECT_FALSE(window_->actSearchAgain->isEnabled());
  Find("cat");
  EXPECT_TRUE(window_->actSearchAgain->isEnabled());
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{5, 1}));
  EXPECT_TRUE(dialogs_.empty());

  Find("dog");
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].Text, "Search string \"dog\" not found");
  EXPECT_EQ(dialogs_[0].Buttons, QStringList{"OK"});
  EXPECT_FALSE(window_->actSearchAgain->isEnabled());

  Find("two");
  EXPECT_TRUE(window_->actSearchAgain->isEnabled());
}

TEST_F(FindReplaceTest, SearchAgainRepeatsTheFindWithItsOptionsUntilNothingIsLeft) {
  TSynEditWidget& editor = Open("Cat cat cat\n");
  RunDialog(window_->actFind, [](TdlgFind& dialog) {
    dialog.cbSearchText->setEditText("cat");
    dialog.cbSearchCaseSensitive->setChecked(true);
  });
  EXPECT_EQ(window_->SearchOptions, ssoMatchCase);
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{5, 1}));
  EXPECT_EQ(window_->actSearchAgain->shortcut(), QKeySequence(Qt::Key_F3));
  window_->actSearchAgain->trigger();
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{9, 1}));
  EXPECT_TRUE(dialogs_.empty());
  window_->actSearchAgain->trigger();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].Text, "Search string \"cat\" not found");
  EXPECT_FALSE(window_->actSearchAgain->isEnabled());
}

TEST_F(FindReplaceTest, SearchAgainAfterAnEntireScopeFindGoesOnFromTheOccurrenceFound) {
  TSynEditWidget& editor = Open("cat cat cat\n");
  editor.SetCaretXY({12, 1});
  RunDialog(window_->actFind, [](TdlgFind& dialog) {
    dialog.cbSearchText->setEditText("cat");
    dialog.rgOrigin->SetItemIndex(1);
  });
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{1, 1}));
  window_->actSearchAgain->trigger();
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{5, 1}));
  EXPECT_EQ(window_->SearchOptions, ssoEntireScope);
}

TEST_F(FindReplaceTest, CancellingTheDialogKeepsTheOptionsAndTheSearch) {
  TSynEditWidget& editor = Open("cat Cat cat\n");
  RunDialog(window_->actFind, [](TdlgFind& dialog) {
    dialog.cbSearchText->setEditText("cat");
    dialog.cbSearchCaseSensitive->setChecked(true);
    dialog.cbSearchWholeWords->setChecked(true);
  });
  const uint8_t options = window_->SearchOptions;
  EXPECT_EQ(options, ssoMatchCase | ssoWholeWord);
  bool checkedAgain = false;
  RunDialog(window_->actFind, [&](TdlgFind& dialog) {
    checkedAgain = dialog.cbSearchCaseSensitive->isChecked() && dialog.cbSearchWholeWords->isChecked();
    dialog.cbSearchCaseSensitive->setChecked(false);
    dialog.rgSearchDirection->SetItemIndex(1);
  }, false);
  EXPECT_TRUE(checkedAgain);
  EXPECT_EQ(window_->SearchOptions, options);
  window_->actSearchAgain->trigger();
  EXPECT_EQ(editor.BlockBegin(), (TBufferCoord{9, 1}));
}

TEST_F(FindReplaceTest, OptionBitsFollowTheControls) {
  Open("x\n");
  struct Case {
    bool matchCase, wholeWords;
    int direction, scope, origin;
    uint8_t bits;
  };
  for (const Case& c : {Case{true, false, 0, 0, 0, 0x01}, Case{false, true, 0, 0, 0, 0x02},
                        Case{false, false, 1, 0, 0, 0x04}, Case{false, false, 0, 0, 1, 0x08},
                        Case{false, false, 0, 1, 0, 0x10}, Case{true, true, 1, 1, 1, 0x1F}}) {
    answers_ = {"OK"};
    RunDialog(window_->actFind, [&](TdlgFind& dialog) {
      dialog.cbSearchText->setEditText("x");
      dialog.cbSearchCaseSensitive->setChecked(c.matchCase);
      dialog.cbSearchWholeWords->setChecked(c.wholeWords);
      dialog.rgSearchDirection->SetItemIndex(c.direction);
      dialog.rgScope->SetItemIndex(c.scope);
      dialog.rgOrigin->SetItemIndex(c.origin);
    });
    EXPECT_EQ(window_->SearchOptions, c.bits);
  }
  // The history holds each search text once.
  EXPECT_EQ(window_->dlgFind()->cbSearchText->count(), 1);
}

TEST_F(FindReplaceTest, YesNoYesToAllOverThreeOccurrencesChangesTheFirstAndTheThird) {
  Open("cat cat cat\n");
  answers_ = {"Yes", "No", "YesToAll"};
  Replace("cat", "dog");
  EXPECT_EQ(Text(), u"dog cat dog");
  ASSERT_EQ(dialogs_.size(), 3u);
  EXPECT_EQ(dialogs_[0].Caption, "Confirm Replace");
  EXPECT_EQ(dialogs_[0].Text, "Replace this occurrence of \"dog\"?");
  EXPECT_EQ(dialogs_[0].Kind, DialogKind::Confirmation);
  EXPECT_EQ(dialogs_[0].Buttons, (QStringList{"Yes", "YesToAll", "No", "Cancel"}));
  EXPECT_EQ(dialogs_[0].DefaultButton, "Cancel");
  EXPECT_EQ(window_->dlgFind()->cbReplaceText->findText("dog"), 0);
}

TEST_F(FindReplaceTest, YesToAllStopsAsking) {
  Open("cat cat cat\n");
  answers_ = {"YesToAll"};
  Replace("cat", "dog");
  EXPECT_EQ(Text(), u"dog dog dog");
  EXPECT_EQ(dialogs_.size(), 1u);
}

TEST_F(FindReplaceTest, ReplacingByTheSameTextAsksNothingAndChangesNothing) {
  TSynEditWidget& editor = Open("cat cat cat\n");
  Replace("cat", "cat");
  EXPECT_EQ(Text(), u"cat cat cat");
  EXPECT_TRUE(dialogs_.empty());
  EXPECT_FALSE(editor.Modified());
}

TEST_F(FindReplaceTest, DismissingTheQuestionStopsLikeCancelKeepingEarlierReplacements) {
  for (const QString& stop : {kEscape, QString("Cancel")}) {
    Open("cat cat cat\n");
    dialogs_.clear();
    answers_ = {"Yes", stop};
    Replace("cat", "dog");
    EXPECT_EQ(Text(), u"dog cat cat") << stop.toStdString();
    EXPECT_EQ(dialogs_.size(), 2u) << stop.toStdString();
  }
}

TEST_F(FindReplaceTest, ReplaceBitsAreClearedAfterwardsSoAFindReplacesNothing) {
  TSynEditWidget& editor = Open("cat cat cat\n");
  answers_ = {"Yes", "Cancel"};
  Replace("cat", "dog");
  EXPECT_EQ(window_->SearchOptions & kReplaceOptions, 0);
  EXPECT_EQ(window_->SearchOptions, ssoEntireScope);
  Find("cat");
  EXPECT_EQ(Text(), u"dog cat cat");
  EXPECT_EQ(editor.SelectedText(), u"cat");
  EXPECT_EQ(dialogs_.size(), 2u);
}

TEST_F(FindReplaceTest, ReplaceOfAMissingTextReportsItAndEmptySearchDoesNothing) {
  Open("cat\n");
  Replace("dog", "cow");
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].Text, "Search string \"dog\" not found");
  Replace("", "cow");
  Find("");
  EXPECT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(Text(), u"cat");
  EXPECT_FALSE(window_->actSearchAgain->isEnabled());
}

TEST_F(FindReplaceTest, EmptyReplacementDeletesConfirmedOccurrences) {
  Open("a cat b cat\n");
  answers_ = {"No", "Yes"};
  Replace("cat", "");
  EXPECT_EQ(Text(), u"a cat b ");
}

TEST_F(FindReplaceTest, AboutActionShowsTheAboutBoxModally) {
  QString title;
  QTimer::singleShot(0, [&] {
    if (auto* about = qobject_cast<TDlgAbout*>(QApplication::activeModalWidget())) {
      title = about->windowTitle();
      about->btnOK->click();
    }
  });
  window_->actAbout->trigger();
  EXPECT_EQ(title, "About");
}

TEST_F(FindReplaceTest, InternetSettingsItemOpensThatPageAndOkSavesTheSettings) {
  QAction* internet = nullptr;
  for (QAction* action : window_->findChildren<QAction*>())
    if (action->text() == "Internet Settings...") internet = action;
  ASSERT_NE(internet, nullptr);
  int page = -1;
  QString description;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<TDlgPreferences*>(QApplication::activeModalWidget())) {
      page = dialog->PageControl->currentIndex();
      description = dialog->lDescription->text();
      dialog->cbIgnoreNumbers->setChecked(!dialog->cbIgnoreNumbers->isChecked());
      dialog->btnOk->click();
    }
  });
  const bool ignoreNumbers = ReadOptionBool(Options(), keys::IgnoreNumbers);
  internet->trigger();
  EXPECT_EQ(page, 3);
  EXPECT_EQ(description, GetMessage("capPrefInternet"));
  TOptionsList stored;
  LoadOptions(stored, ConfigFile());
  EXPECT_EQ(ReadOptionBool(stored, keys::IgnoreNumbers), !ignoreNumbers);
}

} // namespace
} // namespace qm
