#include "ui/EditCommands.h"

#include "ui/SynEditWidget.h"

#include <QAction>
#include <QMenu>

#include <string_view>

namespace qm {

namespace {

enum class Command { None, Undo, Redo, Cut, Copy, Paste, Delete, SelectAll };

struct Keyword {
  std::string_view word;
  Command command;
};

// Tested in this order: the first keyword the name contains decides.
constexpr Keyword kKeywords[] = {
    {"undo", Command::Undo},   {"redo", Command::Redo},     {"cut", Command::Cut},
    {"copy", Command::Copy},   {"paste", Command::Paste},   {"delete", Command::Delete},
    {"selectall", Command::SelectAll},
};

Command CommandOf(const QAction* item) {
  const std::string name = item->objectName().toLower().toStdString();
  for (const Keyword& keyword : kKeywords)
    if (name.find(keyword.word) != std::string::npos) return keyword.command;
  return Command::None;
}

bool Enabled(Command command, TSynEditWidget* editor) {
  if (!editor || !editor->isEnabled()) return false;
  switch (command) {
    case Command::Undo: return editor->CanUndo();
    case Command::Redo: return editor->CanRedo();
    case Command::Cut:
    case Command::Copy:
    case Command::Delete: return editor->SelAvail() && editor->SelectionLength() > 0;
    case Command::Paste: return editor->CanPaste();
    case Command::SelectAll: return true;
    case Command::None: return false;
  }
  return false;
}

} // namespace

void UpdateEditCommands(QMenu* menu, QWidget* control) {
  if (!menu || !control) return;
  auto* editor = qobject_cast<TSynEditWidget*>(control);
  for (QAction* item : menu->actions()) {
    const Command command = CommandOf(item);
    if (command != Command::None) item->setEnabled(Enabled(command, editor));
  }
}

void ExecuteEditCommand(QAction* item, QWidget* control) {
  if (!item || !control) return;
  auto* editor = qobject_cast<TSynEditWidget*>(control);
  if (!editor) return;
  switch (CommandOf(item)) {
    case Command::Undo: editor->Undo(); break;
    case Command::Redo: editor->Redo(); break;
    case Command::Cut: editor->Cut(); break;
    case Command::Copy: editor->Copy(); break;
    case Command::Paste: editor->Paste(); break;
    case Command::Delete: editor->DeleteSelection(); break;
    case Command::SelectAll: editor->SelectAll(); break;
    case Command::None: break;
  }
}

} // namespace qm
