#include "ui/PreferencesDialog.h"

#include "engine/DictionaryRegistry.h"
#include "persistence/DataLocations.h"
#include "persistence/MultiOptions.h"
#include "persistence/OptionEscaping.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/BalloonHint.h"
#include "ui/Icons.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"
#include "ui/MessageFormat.h"
#include "ui/SkinManager.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>


namespace qm {
namespace {

const QStringList kScopeItems = {"Documentation", "Comment", "String", "Text"};

void SetHelp(QWidget* widget, int context) { widget->setProperty(kHelpContextProperty, context); }

QCheckBox* CheckBox(QWidget* page, const char* name, const QString& caption, int help) {
  auto* box = new QCheckBox(caption, page);
  box->setObjectName(name);
  SetHelp(box, help);
  return box;
}

QLabel* Note(QWidget* page, const QString& text) {
  auto* label = new QLabel(text, page);
  label->setWordWrap(true);
  return label;
}

QSpinBox* Number(QWidget* page, const char* name, int maximum, int value, int help) {
  auto* box = new QSpinBox(page);
  box->setObjectName(name);
  box->setRange(1, maximum);
  box->setValue(value);
  SetHelp(box, help);
  return box;
}

// "English (en_us)", or "Unknown (user)" for a dictionary without a title.
QString DictionaryRow(const std::string& section) {
  const std::string title = DictionaryDescriptions().Value(section);
  return FormatMessage("%s (%s)", {title.empty() ? QString("Unknown") : QString::fromStdString(title),
                                   QString::fromStdString(section)});
}

} // namespace

TDlgPreferences::TDlgPreferences(TSkinManager& skins, std::function<void()> skinsOff, QWidget* parent)
    : QDialog(parent), skins_(skins), skinsOff_(std::move(skinsOff)) {
  setObjectName("DlgPreferences");
  setWindowTitle("Preferences");
  setWindowFlag(Qt::WindowContextHelpButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  lDescription = new QLabel(this);
  QFont bold = lDescription->font();
  bold.setBold(true);
  lDescription->setFont(bold);
  imgIcon = new QLabel(this);
  imgIcon->setPixmap(CommandIcon(TCommandIcon::Preferences).pixmap(32, 32));
  PageControl = new QTabWidget(this);
  PageControl->addTab(CreateGeneralPage(), "General");
  PageControl->addTab(CreateCheckerPage(), "Checker");
  PageControl->addTab(CreateDictionariesPage(), "Dictionaries");
  PageControl->addTab(CreateInternetPage(), "Internet");
  btnOk = new QPushButton("OK", this);
  btnOk->setDefault(true);
  btnCancel = new QPushButton("Cancel", this);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });

  auto* top = new QHBoxLayout;
  top->addWidget(lDescription, 1);
  top->addWidget(imgIcon);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(PageControl, 1);
  layout->addLayout(buttons);
}

QWidget* TDlgPreferences::CreateGeneralPage() {
  auto* page = new QWidget;
  page->setObjectName("tsGeneral");
  cbSkinList = new QComboBox(page);
  cbSkinList->setObjectName("cbSkinList");
  SetHelp(cbSkinList, 100);
  connect(cbSkinList, &QComboBox::currentIndexChanged, this, [this] { cbSkinListChange(); });
  cbShowHints = CheckBox(page, "cbShowHints", "Show hints", 100);
  cbDisableSkins = CheckBox(page, "cbDisableSkins", "Disable skins", 100);
  cbExtendedBorders = CheckBox(page, "cbExtendedBorders", "Draw extended borders", 100);
  cbMaxFileSize = CheckBox(page, "cbMaxFileSize", "Skip large files", 110);
  seMaxFileSize = Number(page, "seMaxFileSize", 1000000, 1024, 110);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel("Skin:", page));
  for (QWidget* widget : std::initializer_list<QWidget*>{cbSkinList, cbShowHints, cbDisableSkins, cbExtendedBorders,
                                                         cbMaxFileSize, seMaxFileSize})
    layout->addWidget(widget);
  layout->addWidget(Note(page, "Specify the maximum file size (in kilobytes) the program should check."));
  layout->addStretch(1);
  return page;
}

QWidget* TDlgPreferences::CreateCheckerPage() {
  auto* page = new QWidget;
  page->setObjectName("tsChecker");
  clbCheckScope = new QListWidget(page);
  clbCheckScope->setObjectName("clbCheckScope");
  SetHelp(clbCheckScope, 120);
  for (const QString& name : kScopeItems) {
    auto* item = new QListWidgetItem(name, clbCheckScope);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  cbIgnoreUpperCase = CheckBox(page, "cbIgnoreUpperCase", "Ignore words in UPPERCASE", 120);
  cbIgnoreMixedCase = CheckBox(page, "cbIgnoreMixedCase", "Ignore words in MixedCase", 120);
  cbIgnoreNumbers = CheckBox(page, "cbIgnoreNumbers", "Ignore words with numbers", 120);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel("Check scope:", page));
  layout->addWidget(clbCheckScope, 1);
  layout->addWidget(Note(page, "The program will skip all the technical parts of documents (markup tags, attributes, "
                               "classes and functions declarations, etc.) and will check for misprints only in the "
                               "specified text parts."));
  layout->addWidget(cbIgnoreUpperCase);
  layout->addWidget(cbIgnoreMixedCase);
  layout->addWidget(cbIgnoreNumbers);
  return page;
}

QWidget* TDlgPreferences::CreateDictionariesPage() {
  auto* page = new QWidget;
  page->setObjectName("tsDictionaries");
  clbDictionaries = new QListWidget(page);
  clbDictionaries->setObjectName("clbDictionaries");
  SetHelp(clbDictionaries, 120);
  actMoveUp = new QAction("Move Up", this);
  actMoveUp->setObjectName("actMoveUp");
  actMoveDown = new QAction("Move Down", this);
  actMoveDown->setObjectName("actMoveDown");
  btnMoveUp = new QPushButton(CommandIcon(TCommandIcon::PrevMisprint), QString(), page);
  btnMoveUp->setObjectName("btnMoveUp");
  btnMoveDown = new QPushButton(CommandIcon(TCommandIcon::NextMisprint), QString(), page);
  btnMoveDown->setObjectName("btnMoveDown");
  connect(btnMoveUp, &QPushButton::clicked, actMoveUp, &QAction::trigger);
  connect(btnMoveDown, &QPushButton::clicked, actMoveDown, &QAction::trigger);
  connect(actMoveUp, &QAction::triggered, this, [this] { MoveRow(-1); });
  connect(actMoveDown, &QAction::triggered, this, [this] { MoveRow(+1); });
  connect(actMoveUp, &QAction::changed, this, [this] { btnMoveUp->setEnabled(actMoveUp->isEnabled()); });
  connect(actMoveDown, &QAction::changed, this, [this] { btnMoveDown->setEnabled(actMoveDown->isEnabled()); });
  connect(clbDictionaries, &QListWidget::currentRowChanged, this, [this] { UpdateMoveActions(); });
  auto* moves = new QVBoxLayout;
  moves->addWidget(btnMoveUp);
  moves->addWidget(btnMoveDown);
  moves->addStretch(1);
  auto* list = new QHBoxLayout;
  list->addWidget(clbDictionaries, 1);
  list->addLayout(moves);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Note(page, "This is the list of the available dictionaries. Please specify which of them should "
                               "be used when checking the spelling. Use the buttons to change their order. "));
  layout->addWidget(new QLabel("Dictionaries:", page));
  layout->addLayout(list, 1);
  UpdateMoveActions();
  return page;
}

QWidget* TDlgPreferences::CreateInternetPage() {
  auto* page = new QWidget;
  page->setObjectName("tsInternet");
  rbDirectConnection = new QRadioButton("Direct connection", page);
  rbDirectConnection->setObjectName("rbDirectConnection");
  rbDirectConnection->setChecked(true);
  rbProxyConnection = new QRadioButton("Manual proxy configuration", page);
  rbProxyConnection->setObjectName("rbProxyConnection");
  editProxyHost = new QLineEdit(page);
  editProxyHost->setObjectName("editProxyHost");
  editProxyPort = Number(page, "editProxyPort", 65535, 3128, 140);
  editProxyUser = new QLineEdit(page);
  editProxyUser->setObjectName("editProxyUser");
  editProxyPass = new QLineEdit(page);
  editProxyPass->setObjectName("editProxyPass");
  editProxyPass->setEchoMode(QLineEdit::Password);
  for (QWidget* widget : std::initializer_list<QWidget*>{rbDirectConnection, rbProxyConnection, editProxyHost,
                                                         editProxyUser, editProxyPass})
    SetHelp(widget, 140);
  auto* form = new QFormLayout;
  form->addRow("Host:", editProxyHost);
  form->addRow("Port:", editProxyPort);
  form->addRow("Username:", editProxyUser);
  form->addRow("Password:", editProxyPass);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(rbDirectConnection);
  layout->addWidget(Note(page, "Select this option, if your computer uses direct connection to the Internet."));
  layout->addWidget(rbProxyConnection);
  layout->addWidget(Note(page, "Select this option and fill the controls below to use the specified HTTP proxy."));
  layout->addLayout(form);
  layout->addStretch(1);
  return page;
}

int TDlgPreferences::Run(int page) {
  LoadControls();
  SavedSkinName = skins_.SkinName().toStdString();
  PageControl->setCurrentIndex(page >= 0 && page < PageControl->count() ? page : 0);
  PageControlChange();
  const int result = exec();
  if (result != QDialog::Accepted) {
    if (skins_.SkinName().toStdString() != SavedSkinName) skins_.SetSkinName(QString::fromStdString(SavedSkinName));
    return result;
  }
  if (cbExtendedBorders->isChecked() != skins_.ExtendedBorders())
    skins_.SetExtendedBorders(cbExtendedBorders->isChecked());
  skins_.SetActive(!cbDisableSkins->isChecked());
  if (!skins_.Active() && skinsOff_) skinsOff_();
  StoreControls();
  return result;
}

void TDlgPreferences::LoadControls() {
  TOptionsList& options = Options();
  const std::pair<QCheckBox*, const char*> boxes[] = {
      {cbShowHints, keys::ShowHints},           {cbDisableSkins, keys::DisableSkins},
      {cbExtendedBorders, keys::ExtendedBorders}, {cbMaxFileSize, keys::SkipLargeFiles},
      {cbIgnoreUpperCase, keys::IgnoreUppercase}, {cbIgnoreMixedCase, keys::IgnoreMixedcase},
      {cbIgnoreNumbers, keys::IgnoreNumbers},
  };
  for (const auto& [box, key] : boxes) box->setChecked(ReadOptionBool(options, key));
  seMaxFileSize->setValue(TextToInteger(ReadOptionString(options, keys::MaxFileSize), 1024));

  const QStringList scope =
      QString::fromStdString(ReadOptionString(options, keys::CheckScope)).split(QRegularExpression("\r\n|\n|\r"));
  for (int i = 0; i < clbCheckScope->count(); ++i) {
    QListWidgetItem* item = clbCheckScope->item(i);
    item->setCheckState(scope.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
  }

  clbDictionaries->clear();
  if (TMultiOptions* registry = DictionaryRegistry()) {
    for (int i = 0; i < registry->Count(); ++i) {
      TOptionsList* section = registry->SectionAt(i);
      auto* row = new QListWidgetItem(DictionaryRow(section->SectionName), clbDictionaries);
      row->setData(kSectionRole, QString::fromStdString(section->SectionName));
      row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
      row->setCheckState(ReadOptionBool(*section, dictkeys::Enabled) ? Qt::Checked : Qt::Unchecked);
    }
  }
  UpdateMoveActions();

  (ReadOptionBool(options, keys::UseProxy) ? rbProxyConnection : rbDirectConnection)->setChecked(true);
  editProxyHost->setText(QString::fromStdString(ReadOptionString(options, keys::ProxyHost)));
  editProxyUser->setText(QString::fromStdString(ReadOptionString(options, keys::ProxyUser)));
  editProxyPort->setValue(TextToInteger(ReadOptionString(options, keys::ProxyPort), 3128));
  editProxyPass->setText(QString::fromStdString(UnscrambleText(ReadOptionString(options, keys::ProxyPass))));
}

void TDlgPreferences::StoreControls() {
  TOptionsList& options = Options();
  WriteOptionBool(options, keys::DisableSkins, cbDisableSkins->isChecked());
  WriteOptionBool(options, keys::ExtendedBorders, cbExtendedBorders->isChecked());
  WriteOptionBool(options, keys::ShowHints, cbShowHints->isChecked());
  SetShowHints(cbShowHints->isChecked());
  WriteOptionBool(options, keys::SkipLargeFiles, cbMaxFileSize->isChecked());
  WriteOptionString(options, keys::MaxFileSize, std::to_string(seMaxFileSize->value()));

  std::string scope = "--\r\n";
  for (int i = 0; i < clbCheckScope->count(); ++i)
    if (clbCheckScope->item(i)->checkState() == Qt::Checked)
      scope += clbCheckScope->item(i)->text().toStdString() + "\r\n";
  WriteOptionString(options, keys::CheckScope, scope);

  WriteOptionBool(options, keys::IgnoreUppercase, cbIgnoreUpperCase->isChecked());
  WriteOptionBool(options, keys::IgnoreMixedcase, cbIgnoreMixedCase->isChecked());
  WriteOptionBool(options, keys::IgnoreNumbers, cbIgnoreNumbers->isChecked());
  StoreDictionaries();

  WriteOptionBool(options, keys::UseProxy, rbProxyConnection->isChecked());
  WriteOptionString(options, keys::ProxyHost, editProxyHost->text().toStdString());
  WriteOptionString(options, keys::ProxyUser, editProxyUser->text().toStdString());
  WriteOptionString(options, keys::ProxyPort, std::to_string(editProxyPort->value()));
  WriteOptionString(options, keys::ProxyPass, ScrambleText(editProxyPass->text().toStdString()));
}

// Each row keeps its section's name, so a title with parentheses cannot lead
// to another section; a row whose section is gone is skipped.
void TDlgPreferences::StoreDictionaries() {
  TMultiOptions* registry = DictionaryRegistry();
  if (!registry) return;
  int position = 0;
  for (int i = 0; i < clbDictionaries->count(); ++i) {
    const QListWidgetItem* row = clbDictionaries->item(i);
    TOptionsList* section = registry->FindSection(row->data(kSectionRole).toString().toStdString());
    if (!section) continue;
    for (int at = 0; at < registry->Count(); ++at)
      if (registry->SectionAt(at) == section) {
        registry->Move(at, position);
        break;
      }
    WriteOptionBool(*section, dictkeys::Enabled, row->checkState() == Qt::Checked);
    ++position;
  }
  LoadDictionaries(DictionariesFile(), DataFolder());
}

void TDlgPreferences::PageControlChange() {
  const int page = PageControl->currentIndex();
  if (page >= 0 && page < 4) lDescription->setText(GetMessage(PageDescriptionKeys[page]));
  if (page == 0) FillSkinList();
}

void TDlgPreferences::FillSkinList() {
  fillingSkins_ = true;
  try {
    cbSkinList->clear();
    cbSkinList->addItems(skins_.SkinNames());
    const int current = cbSkinList->findText(skins_.SkinName());
    if (current >= 0) cbSkinList->setCurrentIndex(current);
  } catch (...) {
    fillingSkins_ = false;
    throw;
  }
  fillingSkins_ = false;
}

void TDlgPreferences::cbSkinListChange() {
  if (fillingSkins_ || cbSkinList->currentIndex() < 0) return;
  skins_.SetSkinName(cbSkinList->currentText());
}

void TDlgPreferences::MoveRow(int by) {
  const int from = clbDictionaries->currentRow();
  const int to = from + by;
  if (from < 0 || to < 0 || to >= clbDictionaries->count()) return;
  QListWidgetItem* row = clbDictionaries->takeItem(from);
  clbDictionaries->insertItem(to, row);
  clbDictionaries->setCurrentRow(to);
  UpdateMoveActions();
}

void TDlgPreferences::UpdateMoveActions() {
  const int row = clbDictionaries->currentRow();
  actMoveUp->setEnabled(row > 0);
  actMoveDown->setEnabled(row >= 0 && row < clbDictionaries->count() - 1);
  btnMoveUp->setEnabled(actMoveUp->isEnabled());
  btnMoveDown->setEnabled(actMoveDown->isEnabled());
}

void TDlgPreferences::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & Qt::ControlModifier)) {
    btnOk->click();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    reject();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TDlgPreferences::wheelEvent(QWheelEvent* event) { event->accept(); }

void TDlgPreferences::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

int ShowPreferences(int page, TSkinManager& skins, std::function<void()> skinsOff, QWidget* parent) {
  try {
    TDlgPreferences dialog(skins, std::move(skinsOff), parent);
    return dialog.Run(page);
  } catch (...) {
    return -1;
  }
}

} // namespace qm
