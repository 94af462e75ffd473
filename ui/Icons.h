// The pictures of the program's commands: the desktop's icon theme where it
// has one, else Qt's standard icons.
#pragma once

#include <QIcon>

namespace qm {

enum class TCommandIcon {
  OpenFile,
  SaveFile,
  PrevMisprint,
  NextMisprint,
  WordWrap,
  Preferences,
  Feedback,
  CheckUpdates,
  Help,
  About,
  Exit,
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  Delete,
  SelectAll,
  Find,
  Replace,
  AddToDictionary,
  IgnoreWord,
};

// Never null: the theme's icon, else the standard icon of the current style.
QIcon CommandIcon(TCommandIcon command);

} // namespace qm
