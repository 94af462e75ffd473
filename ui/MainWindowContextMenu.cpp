// The editor's context menu: the suggestions of every dictionary that
// rejects the misprint under the caret, grouped by dictionary, "Add to
// Dictionary", "Ignore Word", then the edit commands; and the Edit menu.
#include "ui/MainWindow.h"

#include "engine/CodePages.h"
#include "engine/DictionaryRegistry.h"
#include "engine/MisprintRecord.h"
#include "engine/WordFunctions.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"
#include "ui/EditCommands.h"
#include "ui/Icons.h"
#include "ui/SkinManager.h"
#include "ui/SynEditWidget.h"

#include <QApplication>
#include <QMenu>

namespace qm {

namespace {

// The fixed items stay the last ones of the menu.
constexpr int kFixedItems = 13;

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* item = caption == "-" ? menu->addSeparator() : menu->addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

} // namespace

void TfrmMain::CreateContextMenu() {
  pmEditors = new QMenu(this);
  pmEditors->setObjectName("pmEditors");
  pmnDictionary = AddItem(pmEditors, "pmnDictionary", "-Dictionary-");
  pmnDictionary->setToolTip("-Dictionary-");
  pmnDictionary->setEnabled(false);
  pmnAddToDictionary = AddItem(pmEditors, "pmnAddToDictionary", "Add to Dictionary");
  pmnAddToDictionary->setIcon(CommandIcon(TCommandIcon::AddToDictionary));
  pmnAddToDictionary->setData(0);
  pmnIgnoreWord = AddItem(pmEditors, "pmnIgnoreWord", "Ignore Word");
  pmnIgnoreWord->setIcon(CommandIcon(TCommandIcon::IgnoreWord));
  pmnIgnoreWord->setData(1);
  pmnEdit = AddItem(pmEditors, "pmnEdit", "-Edit-");
  pmnEdit->setToolTip("-Edit-");
  pmnEdit->setEnabled(false);
  const std::tuple<const char*, const char*, TCommandIcon> edits[] = {
      {"pmnEditUndo", "Undo", TCommandIcon::Undo},       {"pmnEditRedo", "Redo", TCommandIcon::Redo},
      {"pmnEditSeparator1", "-", TCommandIcon::Undo},    {"pmnEditCut", "Cut", TCommandIcon::Cut},
      {"pmnEditCopy", "Copy", TCommandIcon::Copy},       {"pmnEditPaste", "Paste", TCommandIcon::Paste},
      {"pmnEditDelete", "Delete", TCommandIcon::Delete}, {"pmnEditSeparator2", "-", TCommandIcon::Undo},
      {"pmnEditSelectAll", "Select All", TCommandIcon::SelectAll},
  };
  for (const auto& [name, caption, icon] : edits) {
    QAction* item = AddItem(pmEditors, name, caption);
    if (QString(caption) == "-") continue;
    item->setIcon(CommandIcon(icon));
    connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { pmnEditUndoClick(item); }); });
    if (QString(name) == "pmnEditRedo") pmnEditRedo = item;
  }
  for (QAction* item : {pmnAddToDictionary, pmnIgnoreWord})
    connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { pmnAddToDictionaryClick(item); }); });

  synEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(synEdit_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    Guarded([this] { pmEditorsPopup(); });
    pmEditors->popup(synEdit_->viewport()->mapToGlobal(at));
  });
}

void TfrmMain::pmEditorsPopup() {
  // Suggestions and headers of the previous opening go first.
  QList<QAction*> items = pmEditors->actions();
  for (int i = static_cast<int>(items.size()) - kFixedItems - 1; i >= 0; --i) {
    pmEditors->removeAction(items[i]);
    items[i]->deleteLater();
  }

  UpdateEditCommands(pmEditors, synEdit_);
  pmnEditRedo->setVisible(true);
  const bool skinned = skins_->Active();

  TBufferCoord caret = synEdit_->CaretXY();
  std::u16string word;
  WordAtCaret(*synEdit_, caret, word);
  const bool misprint =
      checker_->Plugin().Misprints.Find(TMemoryCache::fmExact, MisprintKey(caret.Line, caret.Char)) != nullptr;

  std::vector<TSuggestion> suggestions;
  if (misprint) {
    GetSuggestions(word, &suggestions);
    QAction* top = pmEditors->actions().value(0);
    const auto insertTop = [&](QAction* item) {
      pmEditors->insertAction(top, item);
      top = item;
    };
    const auto header = [&](int position) {
      QString title = "-";
      if (skinned) {
        TMultiOptions* registry = DictionaryRegistry();
        const std::string section = registry ? registry->SectionAt(position)->SectionName : std::string();
        title = "-" + QString::fromStdString(DictionaryTitle(section)) + "-";
      }
      auto* item = new QAction(title, pmEditors);
      if (title == "-") item->setSeparator(true);
      item->setEnabled(false);
      return item;
    };
    int last = -1;
    const int n = static_cast<int>(suggestions.size());
    for (int i = n - 1; i >= 0; --i) {
      if (suggestions[i].Position != last) {
        if (i != n - 1) insertTop(header(last));
        last = suggestions[i].Position;
      }
      auto* item = new QAction(QString::fromStdU16String(suggestions[i].Text), pmEditors);
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
      const QString text = item->text();
      connect(item, &QAction::triggered, this, [this, text] { Guarded([this, text] { SuggestionClick(text); }); });
      insertTop(item);
    }
    if (skinned && last >= 0) insertTop(header(last));
  }

  if (!misprint) {
    for (QAction* item : {pmnDictionary, pmnAddToDictionary, pmnIgnoreWord, pmnEdit}) item->setVisible(false);
    return;
  }
  if (skinned) {
    pmnDictionary->setVisible(true);
    pmnDictionary->setText(pmnDictionary->toolTip());
    pmnEdit->setText(pmnEdit->toolTip());
  } else {
    pmnDictionary->setVisible(!suggestions.empty());
    pmnDictionary->setText("-");
    pmnEdit->setText("-");
  }
  pmnDictionary->setSeparator(!skinned);
  pmnEdit->setSeparator(!skinned);
  const QString hint = QString::fromStdU16String(word);
  pmnAddToDictionary->setToolTip(hint);
  pmnIgnoreWord->setToolTip(hint);
  TMultiOptions* registry = DictionaryRegistry();
  TOptionsList* user = registry ? registry->FindSection(kUserDictionary) : nullptr;
  pmnAddToDictionary->setVisible(user && !ReadOptionString(*user, dictkeys::Spell).empty());
  pmnIgnoreWord->setVisible(true);
  pmnEdit->setVisible(true);
}

void TfrmMain::SuggestionClick(const QString& suggestion) {
  ReplaceWordAtCaret(*synEdit_, suggestion.toStdU16String());
  ApplyOptionsAndRecheck();
}

void TfrmMain::pmnAddToDictionaryClick(QAction* item) {
  if (!item) return;
  const std::string word = WideToUtf8(item->toolTip().toStdU16String());
  if (item->data().toInt() == 1)
    AddIgnoredWord(word);
  else
    AddUserWord(word);
  ApplyOptionsAndRecheck();
}

void TfrmMain::pmnEditUndoClick(QAction* item) { ExecuteEditCommand(item, synEdit_); }

void TfrmMain::mnEditClick() {
  QWidget* control = QApplication::focusWidget();
  UpdateEditCommands(mnEdit, control);
  mnRedo->setVisible(control == synEdit_);
}

void TfrmMain::mnUndoClick(QAction* item) { ExecuteEditCommand(item, QApplication::focusWidget()); }

} // namespace qm
