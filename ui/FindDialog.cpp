#include "ui/FindDialog.h"

#include "ui/EditorSearch.h"
#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qm {
namespace {

// A fixed-height row holding a caption and an editable combo box with a
// history list.
QWidget* ComboRow(QWidget* parent, const char* name, const QString& caption, int height, QComboBox*& combo) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(name);
  panel->setFixedHeight(height);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(8, 4, 8, 4);
  auto* label = new QLabel(caption, panel);
  label->setFixedWidth(90);
  combo = new QComboBox(panel);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);  // the history is kept by the dialog
  label->setBuddy(combo);
  layout->addWidget(label);
  layout->addWidget(combo, 1);
  return panel;
}

void Remember(QComboBox* combo, const QString& text) {
  if (!text.isEmpty() && combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
    combo->addItem(text);
    combo->setEditText(text);
  }
}

} // namespace

TdlgFind::TdlgFind(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgFind");
  CreatePanels();
  SetReplaceMode(true);
}

void TdlgFind::CreatePanels() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  pnlFind = ComboRow(this, "pnlFind", "&Search for:", kFindPanelHeight, cbSearchText);
  cbSearchText->setObjectName("cbSearchText");
  pnlReplace = ComboRow(this, "pnlReplace", "&Replace with:", kReplacePanelHeight, cbReplaceText);
  cbReplaceText->setObjectName("cbReplaceText");
  CreateOptions();

  pnlBottom = new QWidget(this);
  pnlBottom->setObjectName("pnlBottom");
  auto* buttons = new QHBoxLayout(pnlBottom);
  buttons->setContentsMargins(8, 4, 8, 8);
  btnOK = new QPushButton("OK", pnlBottom);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnCancel = new QPushButton("Cancel", pnlBottom);
  btnCancel->setObjectName("btnCancel");
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  layout->addWidget(pnlFind);
  layout->addWidget(pnlReplace);
  layout->addWidget(pnlOptions, 1);
  layout->addWidget(pnlBottom);
}

void TdlgFind::CreateOptions() {
  pnlOptions = new QWidget(this);
  pnlOptions->setObjectName("pnlOptions");
  gbOptions = new QGroupBox("Options", pnlOptions);
  auto* checks = new QVBoxLayout(gbOptions);
  cbSearchCaseSensitive = new QCheckBox("C&ase sensitivity", gbOptions);
  cbSearchCaseSensitive->setObjectName("cbSearchCaseSensitive");
  cbSearchWholeWords = new QCheckBox("&Whole words only", gbOptions);
  cbSearchWholeWords->setObjectName("cbSearchWholeWords");
  checks->addWidget(cbSearchCaseSensitive);
  checks->addWidget(cbSearchWholeWords);
  rgSearchDirection = new TRadioGroup("Direction", {"&Forward", "&Backward"}, pnlOptions);
  rgSearchDirection->setObjectName("rgSearchDirection");
  rgScope = new TRadioGroup("Scope", {"&Global", "&Selected text"}, pnlOptions);
  rgScope->setObjectName("rgScope");
  rgOrigin = new TRadioGroup("Origin", {"&From cursor", "&Entire scope"}, pnlOptions);
  rgOrigin->setObjectName("rgOrigin");

  auto* grid = new QGridLayout(pnlOptions);
  grid->setContentsMargins(8, 0, 8, 0);
  grid->addWidget(gbOptions, 0, 0);
  grid->addWidget(rgSearchDirection, 0, 1);
  grid->addWidget(rgScope, 1, 0);
  grid->addWidget(rgOrigin, 1, 1);
}

void TdlgFind::Prepare(uint8_t searchOptions, const QString& selectedText) {
  cbSearchCaseSensitive->setChecked(searchOptions & ssoMatchCase);
  cbSearchWholeWords->setChecked(searchOptions & ssoWholeWord);
  rgSearchDirection->SetItemIndex((searchOptions & ssoBackwards) ? 1 : 0);
  rgScope->SetItemIndex((searchOptions & ssoSelectedOnly) ? 1 : 0);
  rgOrigin->SetItemIndex((searchOptions & ssoEntireScope) ? 1 : 0);
  for (TRadioGroup* group : {rgSearchDirection, rgScope, rgOrigin}) group->setEnabled(true);
  cbSearchText->setEditText(selectedText);
}

void TdlgFind::SetReplaceMode(bool replace) {
  pnlReplace->setVisible(replace);
  setFixedSize(kClientWidth, replace ? Tag() : Tag() - kReplacePanelHeight);
}

uint8_t TdlgFind::ReadBack() {
  uint8_t options = 0;
  if (cbSearchCaseSensitive->isChecked()) options |= ssoMatchCase;
  if (cbSearchWholeWords->isChecked()) options |= ssoWholeWord;
  if (rgSearchDirection->ItemIndex() == 1) options |= ssoBackwards;
  if (rgScope->ItemIndex() == 1) options |= ssoSelectedOnly;
  if (rgOrigin->ItemIndex() == 1) options |= ssoEntireScope;
  Remember(cbSearchText, SearchText());
  return options;
}

void TdlgFind::RememberReplacement() { Remember(cbReplaceText, ReplaceText()); }

QString TdlgFind::SearchText() const { return cbSearchText->currentText(); }

QString TdlgFind::ReplaceText() const { return cbReplaceText->currentText(); }

void TdlgFind::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  cbSearchText->setFocus();
  cbSearchText->lineEdit()->selectAll();
}

} // namespace qm
