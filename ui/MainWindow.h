// The main window: one editor with its spell checker, the tool bar, menus,
// status bar and timers; opening, saving, stepping through misprints, the
// delayed re-check, and the editor's context menu with suggestions.
#pragma once

#include "engine/SpellChecker.h"
#include "persistence/WindowLayout.h"
#include "ui/EditorSearch.h"
#include "ui/ImageList.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QToolButton;

namespace qm {

class TBalloonHint;
class TdlgFind;
class TSkinManager;
class TSynEditWidget;
class TzemlokImage;

// The product web site; pages are opened in the desktop's browser.
QString WebSiteAddress();
// Opens a page of the web site ("/help", "/download" ...).
void OpenWebPage(const QString& path);
// The help page of a help context number; empty for unknown numbers.
QString HelpPageOfContext(int context);
// Controls carry their help context number in this property; a control
// without one takes its parent's.
inline constexpr const char* kHelpContextProperty = "helpContext";
int HelpContextOf(const QWidget* widget);

class TfrmMain : public QMainWindow, public TPlacedWindow {
  Q_OBJECT

public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  TSynEditWidget* SynEdit() const { return synEdit_; }
  TSpellChecker& Checker() const { return *checker_; }
  const std::string& CurrentFileName() const { return currentFileName_; }
  QString StatusText() const;

  // The file chooser of "Open File..."; replaceable so tests need no person.
  std::function<QString(QWidget* parent)> ChooseFileToOpen;

  // Document workflow.
  void OpenFile(const std::string& fileName);
  void ApplyOptionsAndRecheck();
  void ShowStatusBalloon(QWidget* icon, const QString& text, int milliseconds);
  void HideBalloon();
  void UpdateGutterColor();

  // Actions, for the menus, the tool bar and tests.
  QAction* actPreferences = nullptr;
  QAction* actFeedback = nullptr;
  QAction* actCheckUpdates = nullptr;
  QAction* actAbout = nullptr;
  QAction* actExit = nullptr;
  QAction* actOpenFile = nullptr;
  QAction* actSaveFile = nullptr;
  QAction* actPrevMisprint = nullptr;
  QAction* actNextMisprint = nullptr;
  QAction* actWordWrap = nullptr;
  QAction* actFind = nullptr;
  QAction* actSearchAgain = nullptr;
  QAction* actReplace = nullptr;

  // Find and replace options kept between searches (TSearchOption bits); the
  // replace bits are set only while one replace runs.
  uint8_t SearchOptions = 0;
  // The find and replace dialog, made with the window and reused.
  TdlgFind* dlgFind() const { return dlgFind_; }

  QMenu* pmEditors = nullptr;  // the editor's context menu
  QMenu* mnEdit = nullptr;
  QTimer* TimerRecheck = nullptr;
  QSlider* TrackBar = nullptr;

  // Rebuilds the context menu for the word under the caret (as on opening).
  void pmEditorsPopup();
  // Enables the actions whose state follows the document.
  void UpdateActions();

  // TPlacedWindow
  TWindowPlacement GetPlacement() const override;
  void SetPlacement(const TWindowPlacement& placement) override;
  void Maximize() override;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void CreateActions();
  void ConnectDialogActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateEditor();
  void CreateContextMenu();
  void CreateStatusBar();
  void CreateTimers();
  void ApplySkinSettings();

  void FormActivate();
  void FormDestroy();
  void SkinManagerAfterChange();
  void TimerAnimationsTimer();

  void actOpenFileExecute();
  void actSaveFileExecute();
  void actWordWrapExecute();
  void actExitExecute();
  void actFindExecute();
  void actSearchAgainExecute();
  void actReplaceExecute();
  void actPreferencesExecute();
  // Searches in the editor; reports a text not found and switches "Search
  // Again" by the outcome.
  void SearchEditor(const QString& search, uint8_t options);
  TReplaceAction SynEditReplaceText(const std::u16string& search, const std::u16string& replacement, int line,
                                    int column);
  void SynEditChange();
  void TimerRecheckTimer();
  void TrackBarChange();

  void SynEditSpecialAttriColor(const std::string& name, QColor& foreground, QColor& background);
  void SynEditGutterPaint(int line, QPainter& painter, const QRect& rect);

  void pmnAddToDictionaryClick(QAction* item);
  void pmnEditUndoClick(QAction* item);
  void SuggestionClick(const QString& suggestion);
  void mnEditClick();
  void mnUndoClick(QAction* item);

  // Runs an event handler; an error it raises is dropped without a message,
  // and the application goes on.
  void Guarded(const std::function<void()>& handler);

  TSynEditWidget* synEdit_ = nullptr;
  std::unique_ptr<TSpellChecker> checker_;
  std::unique_ptr<TSkinManager> skins_;
  TBalloonHint* balloon_ = nullptr;
  TdlgFind* dlgFind_ = nullptr;
  TzemlokImage* bimFeedback = nullptr;
  QLabel* statusPanel0_ = nullptr;
  QToolButton* tbnWordWrap_ = nullptr;
  QTimer* TimerAnimations = nullptr;
  QTimer* TimerHint = nullptr;
  TImageList ilSmall{16, 16};
  TImageList ilAnimationsTml{16, 16};
  TImageList ilAnimations{16, 16};

  // The 13 fixed items of the context menu, always its last ones.
  QAction* pmnDictionary = nullptr;
  QAction* pmnAddToDictionary = nullptr;
  QAction* pmnIgnoreWord = nullptr;
  QAction* pmnEdit = nullptr;
  QAction* pmnEditRedo = nullptr;
  QAction* mnRedo = nullptr;

  bool firstActivation_ = true;
  bool suppressSkinEvents_ = false;
  bool bringToFrontPending_ = false;
  std::string currentFileName_;
};

} // namespace qm
