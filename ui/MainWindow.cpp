#include "ui/MainWindow.h"

#include "engine/DictionaryRegistry.h"
#include "persistence/Autorun.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/AlphaDialog.h"
#include "ui/AnimatedImage.h"
#include "ui/AnimationTemplates.h"
#include "ui/BalloonHint.h"
#include "ui/Icons.h"
#include "ui/Localizator.h"
#include "ui/SkinColors.h"
#include "ui/SkinManager.h"
#include "ui/SynEditWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWhatsThis>

#include <exception>

#ifndef QM_WEBSITE
#define QM_WEBSITE "http://quillon.example.org"
#endif

namespace qm {

QString WebSiteAddress() { return QStringLiteral(QM_WEBSITE); }

void OpenWebPage(const QString& path) { QDesktopServices::openUrl(QUrl(WebSiteAddress() + path)); }

QString HelpPageOfContext(int context) {
  struct Page {
    int context;
    const char* path;
  };
  static constexpr Page kPages[] = {
      {10, "/help/quick_start"},          {100, "/help/general_settings"},
      {110, "/help/batch_search_settings"}, {120, "/help/spell_checker_settings"},
      {130, "/help/code_editor_settings"},  {140, "/help/proxy_settings"},
      {150, "/help/automatic_updates_settings"}, {230, "/help/support"},
  };
  for (const Page& page : kPages)
    if (page.context == context) return QString::fromLatin1(page.path);
  return {};
}

int HelpContextOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant context = widget->property(kHelpContextProperty);
    if (context.isValid()) return context.toInt();
  }
  return 0;
}

namespace {

constexpr int kMisprintMarkImage = 15;
constexpr int kGutterMarkLeft = 6;

// The gutter's misprint mark: a short red wave.
QPixmap MisprintMark() {
  QPixmap mark(16, 16);
  mark.fill(Qt::transparent);
  QPainter painter(&mark);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(220, 0, 0), 2));
  QPainterPath wave;
  wave.moveTo(1, 9);
  for (int x = 1; x <= 14; x += 4) {
    wave.quadTo(x + 1, 5, x + 2, 9);
    wave.quadTo(x + 3, 13, x + 4, 9);
  }
  painter.drawPath(wave);
  return mark;
}

QAction* MakeAction(QObject* owner, const char* name, const QString& caption, const QString& hint,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), skins_(std::make_unique<TSkinManager>()) {
  setObjectName("frmMain");
  setWindowTitle("QuillonMini");
  setMinimumSize(640, 384);
  setProperty(kHelpContextProperty, 10);

  // Hints: shown after 500 ms when "Show Hints" is on.
  SetShowHints(ReadOptionBool(Options(), keys::ShowHints));
  balloon_ = new TBalloonHint(this);

  for (int i = 0; i < kMisprintMarkImage; ++i) ilSmall.Add(QPixmap());
  ilSmall.Add(MisprintMark());
  ilAnimationsTml = MakeAnimationTemplates();

  CreateActions();
  ConnectDialogActions();
  CreateEditor();
  CreateContextMenu();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreateTimers();

  LoadDictionaries(DictionariesFile(), DataFolder());
  checker_ = std::make_unique<TSpellChecker>(*synEdit_);

  ApplySkinSettings();
  UpdateGutterColor();
  bringToFrontPending_ = true;
  TimerAnimations->start();

  if (TLocalizator* messages = Localizator()) messages->LoadMessages(ReadMessagesResource());

  synEdit_->SetWordWrap(ReadOptionBool(Options(), keys::WordWrap));
  actWordWrap->setChecked(synEdit_->WordWrap());
  synEdit_->SetSpecialAttriColorHandler(
      [this](const std::string& name, QColor& foreground, QColor& background) {
        SynEditSpecialAttriColor(name, foreground, background);
      });
  synEdit_->SetGutterPaintHandler(
      [this](int line, QPainter& painter, const QRect& rect) { SynEditGutterPaint(line, painter, rect); });

  qApp->installEventFilter(this);
  UpdateActions();
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
  FormDestroy();
}

void TfrmMain::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception&) {
    // An error in an event handler is dropped; the program goes on.
  }
}

void TfrmMain::CreateActions() {
  actPreferences = MakeAction(this, "actPreferences", "Preferences...", "Preferences...");
  actFeedback = MakeAction(this, "actFeedback", "Send Feedback...", "Send feedback...");
  actCheckUpdates = MakeAction(this, "actCheckUpdates", "Check For Updates...", "Check for updates...");
  actAbout = MakeAction(this, "actAbout", "About QuillonMini", "About QuillonMini...");
  actExit = MakeAction(this, "actExit", "Exit", {}, QKeySequence("Alt+X"));
  actOpenFile = MakeAction(this, "actOpenFile", "Open File...", "Open file...", QKeySequence("Ctrl+O"));
  actSaveFile = MakeAction(this, "actSaveFile", "Save File", "Save file", QKeySequence("Ctrl+S"));
  actPrevMisprint = MakeAction(this, "actPrevMisprint", "Prev Misprint", "Navigate to previous misprint",
                               QKeySequence(Qt::Key_F5));
  actNextMisprint = MakeAction(this, "actNextMisprint", "Next Misprint", "Navigate to next misprint",
                               QKeySequence(Qt::Key_F6));
  actWordWrap = MakeAction(this, "actWordWrap", "Word Wrap...", "Toggle word wrap...");
  actWordWrap->setCheckable(true);
  actFind = MakeAction(this, "actFind", "Find...", {}, QKeySequence("Ctrl+F"));
  actSearchAgain = MakeAction(this, "actSearchAgain", "Search Again", {}, QKeySequence(Qt::Key_F3));
  actSearchAgain->setEnabled(false);
  actReplace = MakeAction(this, "actReplace", "Replace...", {}, QKeySequence("Ctrl+R"));
  QAction* whatsThis = QWhatsThis::createAction(this);
  whatsThis->setShortcut(QKeySequence("Shift+F1"));
  addAction(whatsThis);
  actSaveFile->setEnabled(false);

  const std::pair<QAction*, TCommandIcon> icons[] = {
      {actOpenFile, TCommandIcon::OpenFile},       {actSaveFile, TCommandIcon::SaveFile},
      {actPrevMisprint, TCommandIcon::PrevMisprint}, {actNextMisprint, TCommandIcon::NextMisprint},
      {actWordWrap, TCommandIcon::WordWrap},       {actPreferences, TCommandIcon::Preferences},
      {actFeedback, TCommandIcon::Feedback},       {actCheckUpdates, TCommandIcon::CheckUpdates},
      {actAbout, TCommandIcon::About},             {actExit, TCommandIcon::Exit},
      {actFind, TCommandIcon::Find},               {actReplace, TCommandIcon::Replace},
  };
  for (const auto& [action, icon] : icons) action->setIcon(CommandIcon(icon));

  connect(actOpenFile, &QAction::triggered, this, [this] { Guarded([this] { actOpenFileExecute(); }); });
  connect(actSaveFile, &QAction::triggered, this, [this] { Guarded([this] { actSaveFileExecute(); }); });
  connect(actPrevMisprint, &QAction::triggered, this, [this] { Guarded([this] { checker_->PrevMisprint(); }); });
  connect(actNextMisprint, &QAction::triggered, this, [this] { Guarded([this] { checker_->NextMisprint(); }); });
  connect(actWordWrap, &QAction::triggered, this, [this] { Guarded([this] { actWordWrapExecute(); }); });
  connect(actExit, &QAction::triggered, this, [this] { actExitExecute(); });
  connect(actCheckUpdates, &QAction::triggered, this, [] { OpenWebPage("/download"); });
  for (QAction* action : {actPreferences, actFeedback, actCheckUpdates, actAbout, actExit, actOpenFile, actSaveFile,
                          actPrevMisprint, actNextMisprint, actWordWrap, actFind, actSearchAgain, actReplace})
    addAction(action);
}

void TfrmMain::CreateEditor() {
  auto* pnlMain = new QWidget(this);
  pnlMain->setObjectName("pnlMain");
  auto* layout = new QVBoxLayout(pnlMain);
  layout->setContentsMargins(3, 3, 3, 3);
  synEdit_ = new TSynEditWidget(pnlMain);
  synEdit_->setObjectName("SynEdit");
  synEdit_->setFrameShape(QFrame::NoFrame);
  synEdit_->setEnabled(false);
  layout->addWidget(synEdit_);
  setCentralWidget(pnlMain);
  connect(synEdit_, &TSynEditWidget::Changed, this, [this] { SynEditChange(); });
  connect(synEdit_, &QPlainTextEdit::modificationChanged, this, [this] { UpdateActions(); });
  connect(synEdit_, &QPlainTextEdit::cursorPositionChanged, this, [this] { UpdateActions(); });
}

void TfrmMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu("File");
  file->addActions({actOpenFile, actSaveFile});
  file->addSeparator();
  file->addAction(actExit);

  mnEdit = menuBar()->addMenu("Edit");
  mnEdit->setObjectName("mnEdit");
  const std::tuple<const char*, const char*, TCommandIcon> items[] = {
      {"mnUndo", "Undo", TCommandIcon::Undo},         {"mnRedo", "Redo", TCommandIcon::Redo},
      {"mnEditSeparator1", "-", TCommandIcon::Undo},  {"mnCut", "Cut", TCommandIcon::Cut},
      {"mnCopy", "Copy", TCommandIcon::Copy},         {"mnPaste", "Paste", TCommandIcon::Paste},
      {"mnDelete", "Delete", TCommandIcon::Delete},   {"mnEditSeparator2", "-", TCommandIcon::Undo},
      {"mnSelectAll", "Select All", TCommandIcon::SelectAll},
  };
  for (const auto& [name, caption, icon] : items) {
    QAction* item = QString(caption) == "-" ? mnEdit->addSeparator() : mnEdit->addAction(CommandIcon(icon), caption);
    item->setObjectName(name);
    if (QString(caption) != "-")
      connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { mnUndoClick(item); }); });
    if (QString(name) == "mnRedo") mnRedo = item;
  }
  connect(mnEdit, &QMenu::aboutToShow, this, [this] { mnEditClick(); });

  QMenu* search = menuBar()->addMenu("Search");
  search->addActions({actFind, actSearchAgain, actReplace});

  QMenu* options = menuBar()->addMenu("Options");
  options->addAction(actPreferences);
  options->addSeparator();
  const std::tuple<const char*, const char*, int> pages[] = {
      {"View and Appearance...", "View and appearance...", 0},
      {"Spell Checker Settings...", "Spell checker settings...", 1},
      {"Dictionaries Settings...", "Dictionaries settings...", 2},
      {"Internet Settings...", "Internet connection settings...", 3},
  };
  for (const auto& [caption, hint, tag] : pages) {
    QAction* item = options->addAction(caption);
    item->setToolTip(hint);
    item->setStatusTip(hint);
    item->setData(tag);
    connect(item, &QAction::triggered, actPreferences, [this, tag = tag] {
      actPreferences->setData(tag);
      actPreferences->trigger();
    });
  }

  QMenu* help = menuBar()->addMenu("Help");
  QAction* online = help->addAction(CommandIcon(TCommandIcon::Help), "On-line Help...");
  online->setObjectName("mnHelpContent");
  connect(online, &QAction::triggered, this, [] { OpenWebPage("/help"); });
  help->addAction(actFeedback);
  help->addSeparator();
  help->addAction(actCheckUpdates);
  help->addSeparator();
  help->addAction(actAbout);
}

void TfrmMain::CreateToolBar() {
  QToolBar* bar = addToolBar("ToolBar");
  bar->setObjectName("ToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  bar->addAction(actOpenFile);
  bar->addAction(actSaveFile);
  bar->addSeparator();
  bar->addAction(actPrevMisprint);
  bar->addAction(actNextMisprint);
  bar->addSeparator();
  bar->addAction(actWordWrap);
  tbnWordWrap_ = qobject_cast<QToolButton*>(bar->widgetForAction(actWordWrap));

  TrackBar = new QSlider(Qt::Horizontal, bar);
  TrackBar->setObjectName("TrackBar");
  TrackBar->setRange(0, 255);
  TrackBar->setValue(255);
  TrackBar->setTickInterval(25);
  TrackBar->setTickPosition(QSlider::TicksBelow);
  TrackBar->setFixedWidth(150);
  TrackBar->setToolTip("Invaluable text transparency");
  bar->addWidget(TrackBar);
  connect(TrackBar, &QSlider::valueChanged, this, [this] { TrackBarChange(); });
  bar->addSeparator();
  bar->addAction(actPreferences);
  bar->addSeparator();
  bar->addAction(actFeedback);
}

void TfrmMain::CreateStatusBar() {
  statusPanel0_ = new QLabel(this);
  statusPanel0_->setObjectName("StatusPanel0");
  statusBar()->addWidget(statusPanel0_, 1);
  bimFeedback = new TzemlokImage(this);
  bimFeedback->setObjectName("bimFeedback");
  bimFeedback->setVisible(false);
  statusBar()->addPermanentWidget(bimFeedback);
}

void TfrmMain::CreateTimers() {
  TimerAnimations = new QTimer(this);
  TimerAnimations->setInterval(50);
  connect(TimerAnimations, &QTimer::timeout, this, [this] { TimerAnimationsTimer(); });

  TimerRecheck = new QTimer(this);
  TimerRecheck->setSingleShot(true);
  TimerRecheck->setInterval(500);
  connect(TimerRecheck, &QTimer::timeout, this, [this] { Guarded([this] { TimerRecheckTimer(); }); });

  TimerHint = new QTimer(this);
  TimerHint->setInterval(10000);
  connect(TimerHint, &QTimer::timeout, this, [this] {
    TimerHint->stop();
    HideBalloon();
  });
  TimerHint->start();
}

void TfrmMain::ApplySkinSettings() {
  skins_->OnAfterChange = [this] { SkinManagerAfterChange(); };
  suppressSkinEvents_ = true;
  skins_->SetActive(!ReadOptionBool(Options(), keys::DisableSkins));
  suppressSkinEvents_ = false;
  if (skins_->Active())
    skins_->SetSkinName(QString::fromStdString(ReadOptionString(Options(), keys::Skin)));
  else
    SkinManagerAfterChange();
  if (ReadOptionBool(Options(), keys::ExtendedBorders)) skins_->SetExtendedBorders(true);
}

void TfrmMain::SkinManagerAfterChange() {
  if (suppressSkinEvents_) return;
  Guarded([this] { ApplySkinColors(*skins_, ilAnimationsTml, ilAnimations); });
  UpdateGutterColor();
  WriteOptionString(Options(), keys::Skin, skins_->SkinName().toStdString());
  SaveOptions(Options(), ConfigFile());
}

void TfrmMain::UpdateGutterColor() { synEdit_->SetGutterColor(SkinColors().LightShade); }

void TfrmMain::TimerAnimationsTimer() {
  TimerAnimations->stop();
  Guarded([this] {
    bimFeedback->Tick();
    if (bringToFrontPending_) {
      bringToFrontPending_ = false;
      // Only the minimised state goes: a window the first activation
      // maximised stays maximised.
      if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
      raise();
      activateWindow();
    }
  });
  TimerAnimations->start();
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstActivation_) Guarded([this] { FormActivate(); });
}

void TfrmMain::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  bool save = false;
  if (RestoreWindowLayout(Options(), keys::FormLayout, this)) {
    bringToFrontPending_ = true;
  } else {
    Maximize();
    SaveWindowLayout(Options(), keys::FormLayout, this);
    save = true;
  }
  if (HasAutorunEntry()) RemoveAutorunEntry();
  if (save) SaveOptions(Options(), ConfigFile());
}

TWindowPlacement TfrmMain::GetPlacement() const {
  TWindowPlacement placement;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  placement.NormalRect = {normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
  placement.Maximized = isMaximized();
  return placement;
}

void TfrmMain::SetPlacement(const TWindowPlacement& placement) {
  const TRect& r = placement.NormalRect;
  // A minimised window would come back at the rectangle it had when it was
  // minimised on some platforms: leave that state first.
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  if (placement.Maximized) showMaximized();
}

void TfrmMain::Maximize() { setWindowState(windowState() | Qt::WindowMaximized); }

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!synEdit_->Modified()) return event->accept();
  const QString answer = ShowDialog(GetMessage("msgConfirmDialogCaption"), GetMessage("msgFileModified"),
                                    DialogKind::Confirmation, "Save|Discard|Continue", "Continue");
  if (answer == "Save") {
    // A save that fails keeps the window open: the changes are not lost.
    try {
      actSaveFileExecute();
      event->accept();
    } catch (const std::exception&) {
      event->ignore();
    }
  } else if (answer == "Discard") {
    event->accept();
  } else {
    event->ignore();
  }
}

void TfrmMain::actExitExecute() { QCoreApplication::quit(); }

void TfrmMain::FormDestroy() {
  try {
    SaveWindowLayout(Options(), keys::FormLayout, this);
    SaveOptions(Options(), ConfigFile());
  } catch (const std::exception&) {
  }
  checker_.reset();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ApplicationDeactivate: HideBalloon(); break;
    case QEvent::QueryWhatsThis:
    case QEvent::WhatsThis:
      // Context help (Shift+F1, or a dialog's title-bar help button, then a
      // click on a control): the help page of the control's context.
      if (auto* widget = qobject_cast<QWidget*>(watched)) {
        const QString page = HelpPageOfContext(HelpContextOf(widget));
        if (page.isEmpty()) break;
        if (event->type() == QEvent::WhatsThis) OpenWebPage(page);
        event->accept();
        return true;
      }
      break;
    case QEvent::Wheel:
      // Over the editor the wheel scrolls 3 lines per event, whatever the
      // distance; elsewhere in the window it does nothing.
      if (watched == synEdit_->viewport() || watched == synEdit_) {
        Guarded([&] { synEdit_->WheelScroll(static_cast<QWheelEvent*>(event)->angleDelta().y()); });
        return true;
      }
      break;
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::wheelEvent(QWheelEvent* event) { event->accept(); }

void TfrmMain::ShowStatusBalloon(QWidget* icon, const QString& text, int milliseconds) {
  TimerHint->stop();
  HideBalloon();
  balloon_->ShowAt(icon, text, milliseconds);
  TimerHint->setInterval(milliseconds);
  TimerHint->start();
}

void TfrmMain::HideBalloon() { balloon_->HideBalloon(); }

void TfrmMain::SynEditSpecialAttriColor(const std::string& name, QColor& foreground, QColor& background) {
  if (checker_->Plugin().Scope.IndexOf(name) >= 1) return;
  // Outside the scope: blend towards the editor's background by the slider.
  const int p = TrackBar->value();
  const QColor base = synEdit_->palette().color(QPalette::Base);
  const auto blend = [&](QColor& c) {
    const QColor resolved = c.isValid() ? c : synEdit_->palette().color(QPalette::Text);
    c = QColor((resolved.red() * p + base.red() * (255 - p)) >> 8, (resolved.green() * p + base.green() * (255 - p)) >> 8,
               (resolved.blue() * p + base.blue() * (255 - p)) >> 8);
  };
  blend(foreground);
  if (background.isValid()) blend(background);
}

void TfrmMain::SynEditGutterPaint(int line, QPainter& painter, const QRect& rect) {
  const auto* misprint = static_cast<const MisprintRecord*>(
      checker_->Plugin().Misprints.Find(TMemoryCache::fmNext, MisprintKey(line, 0)));
  if (misprint && misprint->line == line) ilSmall.Draw(painter, rect.left() + kGutterMarkLeft, rect.top(), kMisprintMarkImage);
}

void TfrmMain::TrackBarChange() { synEdit_->RefreshSyntaxColors(); }

QString TfrmMain::StatusText() const { return statusPanel0_->text(); }

} // namespace qm
