#include "ui/MainWindow.h"

#include "TempDir.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/AlphaDialog.h"
#include "ui/Localizator.h"
#include "ui/SynEditWidget.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

// Three misprints in comments, the first on line 3; the code is not checked.
constexpr const char* kSample =
    "/* A short comment. */\n"
    "int main(void) {\n"
    "  /* Thiss line has a smal misprint. */\n"
    "  return 0; /* teh end */\n"
    "}\n";

const QString kEscape = QStringLiteral("<Escape>");

// A data folder of its own (the en_US and user dictionaries, the dictionary
// titles), the settings loaded from it, the message table and the speller
// library: what the process modules give the window. The window is made by
// the test, once the folder holds what the test needs.
class MainWindowTest : public testing::Test {
protected:
  void SetUp() override {
    const fs::path data = fs::path(QM_TESTS_DIR).parent_path() / "data";
    fs::copy_file("/usr/share/hunspell/en_US.aff", dir_.File("en_US.aff"));
    fs::copy_file("/usr/share/hunspell/en_US.dic", dir_.File("en_US.dic"));
    for (const char* name : {"user.aff", "user.dic", "dictionaries.info"})
      fs::copy_file(data / name, dir_.File(name));
    SetDataFolder(dir_.Path().string());
    LoadDictionaryDescriptions();
    Options().Clear();
    LoadOptions(Options(), ConfigFile());
    CreateLocalizator();
    LoadSpellerLibrary();
    IgnoredWords().Clear();
    UserWords().Clear();
    sample_ = dir_.File("sample.c");
    test::WriteFile(sample_, kSample);
  }

  void TearDown() override {
    window_.reset();
    SetDialogAnswerer({});
    ReleaseDictionaries();
    IgnoredWords().Clear();
    UserWords().Clear();
    UnloadSpellerLibrary();
    FreeLocalizator();
    Options().Clear();
    SetDataFolder("");
  }

  TfrmMain& Window() {
    if (!window_) window_ = std::make_unique<TfrmMain>();
    return *window_;
  }

  TfrmMain& OpenSample() {
    Window().OpenFile(sample_);
    return *window_;
  }

  // Answers every dialog with answer and keeps the last request.
  void AnswerDialogsWith(const QString& answer) {
    SetDialogAnswerer([this, answer](const TDialogRequest& request) {
      lastDialog_ = request;
      return answer;
    });
  }

  // Ends the window as the program does at exit: the window first, then the
  // dictionaries, which write the user words.
  void EndRun() {
    window_.reset();
    ReleaseDictionaries();
  }

  // The settings as they are in config.dat now.
  static TOptionsList StoredOptions() {
    TOptionsList stored;
    LoadOptions(stored, ConfigFile());
    return stored;
  }

  QStringList MenuCaptions() const {
    QStringList captions;
    for (QAction* item : window_->pmEditors->actions())
      if (item->isVisible()) captions << (item->isSeparator() ? QString("|") : item->text());
    return captions;
  }

  QAction* MenuItem(const QString& caption) const {
    for (QAction* item : window_->pmEditors->actions())
      if (item->isVisible() && item->text() == caption) return item;
    return nullptr;
  }

  test::TempDir dir_;
  std::string sample_;
  std::unique_ptr<TfrmMain> window_;
  std::optional<TDialogRequest> lastDialog_;
};

TEST_F(MainWindowTest, OpeningCountsTheMisprintsAndPutsTheCaretOnTheFirst) {
  TfrmMain& window = Window();
  EXPECT_FALSE(window.SynEdit()->isEnabled());
  window.ChooseFileToOpen = [this](QWidget*) { return QString::fromStdString(sample_); };
  window.actOpenFile->trigger();

  EXPECT_EQ(window.CurrentFileName(), sample_);
  EXPECT_EQ(window.StatusText(), QString("3 misprint(s)"));
  EXPECT_TRUE(window.SynEdit()->isEnabled());
  EXPECT_EQ(window.SynEdit()->CaretXY(), (TBufferCoord{6, 3}));
  EXPECT_FALSE(window.actPrevMisprint->isEnabled());
  EXPECT_TRUE(window.actNextMisprint->isEnabled());
  EXPECT_FALSE(window.actSaveFile->isEnabled());
}

TEST_F(MainWindowTest, F5AndF6StepThroughTheMisprintsAndGreyOutAtTheEnds) {
  TfrmMain& window = OpenSample();
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.SynEdit()->setFocus();

  struct Step {
    Qt::Key key;
    TBufferCoord caret;
    bool prev, next;
  };
  const Step steps[] = {
      {Qt::Key_F6, {23, 3}, true, true},   // "smal"
      {Qt::Key_F6, {16, 4}, true, false},  // "teh", the last
      {Qt::Key_F6, {16, 4}, true, false},  // nothing after it
      {Qt::Key_F5, {23, 3}, true, true},
      {Qt::Key_F5, {6, 3}, false, true},   // back on the first
  };
  for (const Step& step : steps) {
    QTest::keyClick(window.SynEdit(), step.key);
    EXPECT_EQ(window.SynEdit()->CaretXY(), step.caret) << step.key;
    EXPECT_EQ(window.actPrevMisprint->isEnabled(), step.prev) << step.key;
    EXPECT_EQ(window.actNextMisprint->isEnabled(), step.next) << step.key;
  }
}

TEST_F(MainWindowTest, ADocumentWithoutMisprintsShowsZeroAndDisablesNavigation) {
  test::WriteFile(sample_, "/* All words here are fine. */\nint x;\n");
  TfrmMain& window = OpenSample();
  EXPECT_EQ(window.StatusText(), QString("0 misprint(s)"));
  EXPECT_FALSE(window.actPrevMisprint->isEnabled());
  EXPECT_FALSE(window.actNextMisprint->isEnabled());
  EXPECT_EQ(window.SynEdit()->CaretXY(), (TBufferCoord{1, 1}));
}

TEST_F(MainWindowTest, ABurstOfTypingRunsOneRecheckAfterTheLastKey) {
  TfrmMain& window = OpenSample();
  QSignalSpy fired(window.TimerRecheck, &QTimer::timeout);
  window.SynEdit()->SetCaretXY({11, 1});  // after "A short"
  QTest::keyClicks(window.SynEdit(), "xyz");

  EXPECT_EQ(window.SynEdit()->LineText(1), u"/* A shortxyz comment. */");
  EXPECT_TRUE(window.TimerRecheck->isActive());
  EXPECT_EQ(window.StatusText(), QString("3 misprint(s)"));  // the previous check until the timer fires
  EXPECT_TRUE(window.actSaveFile->isEnabled());

  ASSERT_TRUE(QTest::qWaitFor([&] { return fired.count() > 0; }, 5000));
  QTest::qWait(700);
  EXPECT_EQ(fired.count(), 1);
  EXPECT_EQ(window.StatusText(), QString("4 misprint(s)"));
}

TEST_F(MainWindowTest, ContextMenuGroupsTheSuggestionsByDictionary) {
  // A user word close to the misprint: the user dictionary suggests it too.
  test::WriteFile(dir_.File("user.aff"), "SET UTF-8\nTRY abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\n");
  test::WriteFile(dir_.File("user.dic"), "1\nThissy\n");
  TfrmMain& window = OpenSample();
  window.pmEditorsPopup();

  const QStringList captions = MenuCaptions();
  ASSERT_GE(captions.size(), 6);
  EXPECT_EQ(captions.mid(0, 3), QStringList({"-User Dictionary-", "Thissy", "-English (United States)-"}));
  EXPECT_TRUE(captions.contains("This"));
  EXPECT_EQ(captions.mid(captions.indexOf("-Dictionary-")),
            QStringList({"-Dictionary-", "Add to Dictionary", "Ignore Word", "-Edit-", "Undo", "Redo", "|", "Cut",
                         "Copy", "Paste", "Delete", "|", "Select All"}));

  // A second opening replaces the suggestions of the first.
  window.pmEditorsPopup();
  EXPECT_EQ(MenuCaptions(), captions);

  // Off a misprint: only the edit commands.
  window.SynEdit()->SetCaretXY({5, 1});
  window.pmEditorsPopup();
  EXPECT_EQ(MenuCaptions(), QStringList({"Undo", "Redo", "|", "Cut", "Copy", "Paste", "Delete", "|", "Select All"}));
}

TEST_F(MainWindowTest, AddToDictionaryLowersTheCountAndIsWrittenToUserDicAtTheEnd) {
  TfrmMain& window = OpenSample();
  window.pmEditorsPopup();
  QAction* add = MenuItem("Add to Dictionary");
  ASSERT_NE(add, nullptr);
  add->trigger();
  EXPECT_EQ(window.StatusText(), QString("2 misprint(s)"));
  EXPECT_EQ(test::ReadFile(dir_.File("user.dic")).find("Thiss"), std::string::npos);

  EndRun();
  EXPECT_NE(test::ReadFile(dir_.File("user.dic")).find("Thiss\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, IgnoreWordLowersTheCountForTheRun) {
  TfrmMain& window = OpenSample();
  window.SynEdit()->SetCaretXY({16, 4});  // "teh"
  window.pmEditorsPopup();
  QAction* ignore = MenuItem("Ignore Word");
  ASSERT_NE(ignore, nullptr);
  ignore->trigger();
  EXPECT_EQ(window.StatusText(), QString("2 misprint(s)"));
  EXPECT_EQ(IgnoredWords().IndexOf("teh"), 0);
}

TEST_F(MainWindowTest, ASuggestionReplacesTheWordAsOneUndoableEdit) {
  TfrmMain& window = OpenSample();
  window.pmEditorsPopup();
  QAction* suggestion = MenuItem("This");
  ASSERT_NE(suggestion, nullptr);
  EXPECT_TRUE(suggestion->font().bold());
  suggestion->trigger();
  EXPECT_EQ(window.SynEdit()->LineText(3), u"  /* This line has a smal misprint. */");
  EXPECT_EQ(window.StatusText(), QString("2 misprint(s)"));

  window.SynEdit()->Undo();
  EXPECT_EQ(window.SynEdit()->LineText(3), u"  /* Thiss line has a smal misprint. */");
  EXPECT_FALSE(window.SynEdit()->CanUndo());
}

TEST_F(MainWindowTest, TheSizeGuardRefusesAFileAboveTheLimit) {
  WriteOptionString(Options(), keys::MaxFileSize, "1");
  const std::string exact = dir_.File("exact.txt"), above = dir_.File("above.txt");
  test::WriteFile(exact, std::string(1023, 'a') + "\n");
  test::WriteFile(above, std::string(1024, 'a') + "\n");
  AnswerDialogsWith("OK");
  TfrmMain& window = OpenSample();

  window.OpenFile(above);
  ASSERT_TRUE(lastDialog_);
  EXPECT_EQ(lastDialog_->Text, QString("This file is too big"));
  EXPECT_EQ(lastDialog_->Buttons, QStringList({"OK"}));
  EXPECT_EQ(lastDialog_->Kind, DialogKind::Error);
  EXPECT_EQ(window.CurrentFileName(), sample_);  // the open document stays
  EXPECT_EQ(window.SynEdit()->LineCount(), 5);

  lastDialog_.reset();
  window.OpenFile(exact);
  EXPECT_FALSE(lastDialog_);
  EXPECT_EQ(window.CurrentFileName(), exact);

  // Without the guard any size opens.
  WriteOptionBool(Options(), keys::SkipLargeFiles, false);
  window.OpenFile(above);
  EXPECT_FALSE(lastDialog_);
  EXPECT_EQ(window.CurrentFileName(), above);
}

TEST_F(MainWindowTest, ClosingWithChangesAsksAndFollowsTheAnswer) {
  struct Case {
    QString answer;
    bool closes;
    bool saved;
  };
  const Case cases[] = {
      {"Save", true, true}, {"Discard", true, false}, {"Continue", false, false}, {kEscape, false, false}};
  for (const Case& c : cases) {
    test::WriteFile(sample_, kSample);
    TfrmMain& window = OpenSample();
    window.show();
    window.SynEdit()->SetCaretXY({1, 1});
    QTest::keyClicks(window.SynEdit(), "x");
    AnswerDialogsWith(c.answer);

    EXPECT_EQ(window.close(), c.closes) << c.answer.toStdString();
    EXPECT_EQ(window.isVisible(), !c.closes) << c.answer.toStdString();
    ASSERT_TRUE(lastDialog_);
    EXPECT_EQ(lastDialog_->Text, QString("This file has been modified. Do you wish to save it?"));
    EXPECT_EQ(lastDialog_->Buttons, QStringList({"Save", "Discard", "Continue"}));
    EXPECT_EQ(test::ReadFile(sample_), c.saved ? "x" + std::string(kSample) : std::string(kSample))
        << c.answer.toStdString();
    lastDialog_.reset();
    window_.reset();
  }
}

TEST_F(MainWindowTest, ASaveThatFailsWhileClosingKeepsTheWindowOpen) {
  fs::create_directory(dir_.File("gone"));
  sample_ = dir_.File("gone/sample.c");
  test::WriteFile(sample_, kSample);
  TfrmMain& window = OpenSample();
  window.show();
  QTest::keyClicks(window.SynEdit(), "x");
  fs::remove_all(dir_.File("gone"));
  AnswerDialogsWith("Save");

  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.SynEdit()->Modified());
  EXPECT_TRUE(window.actSaveFile->isEnabled());
}

TEST_F(MainWindowTest, ClosingWithoutChangesAsksNothing) {
  TfrmMain& window = OpenSample();
  window.show();
  AnswerDialogsWith("Continue");
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(lastDialog_);
}

TEST_F(MainWindowTest, WordWrapIsStoredAtOnce) {
  TfrmMain& window = Window();
  EXPECT_TRUE(window.SynEdit()->WordWrap());
  window.actWordWrap->trigger();
  EXPECT_FALSE(window.SynEdit()->WordWrap());
  EXPECT_FALSE(window.actWordWrap->isChecked());
  EXPECT_FALSE(ReadOptionBool(StoredOptions(), keys::WordWrap));
  window.actWordWrap->trigger();
  EXPECT_TRUE(ReadOptionBool(StoredOptions(), keys::WordWrap));
}

TEST_F(MainWindowTest, FirstRunMaximisesAndStoresTheLayoutSecondRunRestoresIt) {
  // Shown minimised as the program does; the first animation tick brings
  // the window back in the state the first activation gave it.
  const auto showAsTheProgramDoes = [](TfrmMain& window) {
    window.showMinimized();
    (void)QTest::qWaitFor([&] { return !window.isMinimized(); }, 2000);
    QTest::qWait(100);
  };
  ASSERT_FALSE(fs::exists(ConfigFile()));
  {
    TfrmMain& window = Window();
    showAsTheProgramDoes(window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isMaximized());
    const std::string layout = ReadOptionString(StoredOptions(), keys::FormLayout);
    EXPECT_EQ(layout.substr(0, 2), "M|") << layout;
    window_.reset();
  }

  // A stored rectangle without "M": the window comes back there, not maximised.
  WriteOptionString(Options(), keys::FormLayout, "|40|30|840|630");
  SaveOptions(Options(), ConfigFile());
  Options().Clear();
  LoadOptions(Options(), ConfigFile());
  TfrmMain& window = Window();
  showAsTheProgramDoes(window);
  EXPECT_FALSE(window.isMinimized());
  EXPECT_FALSE(window.isMaximized());
  EXPECT_EQ(window.geometry(), QRect(40, 30, 800, 600));
  window_.reset();
  EXPECT_EQ(ReadOptionString(StoredOptions(), keys::FormLayout), "|40|30|840|630");
}

TEST_F(MainWindowTest, AfterAFailedReadTheEditorIsNeverSavedOverThePreviousFile) {
  TfrmMain& window = OpenSample();
  window.ChooseFileToOpen = [this](QWidget*) { return QString::fromStdString(dir_.File("missing.c")); };
  window.actOpenFile->trigger();  // the read error is dropped

  EXPECT_EQ(window.CurrentFileName(), "");
  QTest::keyClicks(window.SynEdit(), "oops");
  EXPECT_FALSE(window.actSaveFile->isEnabled());
  window.actSaveFile->trigger();
  EXPECT_EQ(test::ReadFile(sample_), kSample);

  // Closing does not offer to save the orphaned text either.
  AnswerDialogsWith("Save");
  window.show();
  window.close();
  EXPECT_EQ(test::ReadFile(sample_), kSample);
}

} // namespace
} // namespace qm
