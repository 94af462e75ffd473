// The edit commands of the Edit menu and the editor's context menu, told
// apart by the item's object name: lower-cased, the first keyword it contains
// decides ("undo", "redo", "cut", "copy", "paste", "delete", "selectall").
// Only the editor takes them; for any other control they are disabled.
#pragma once

class QAction;
class QMenu;
class QWidget;

namespace qm {

// Enables every item of menu by the keyword table; nothing without a menu or
// a control.
void UpdateEditCommands(QMenu* menu, QWidget* control);
// Runs the item's command on the control when it is the editor.
void ExecuteEditCommand(QAction* item, QWidget* control);

} // namespace qm
