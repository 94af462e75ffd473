#include "ui/Icons.h"

#include <QApplication>
#include <QStyle>

#include <map>

namespace qm {

namespace {

struct TIconSource {
  const char* ThemeName;  // freedesktop icon name
  QStyle::StandardPixmap Fallback;
};

const std::map<TCommandIcon, TIconSource>& IconTable() {
  static const std::map<TCommandIcon, TIconSource> table = {
      {TCommandIcon::OpenFile, {"document-open", QStyle::SP_DialogOpenButton}},
      {TCommandIcon::SaveFile, {"document-save", QStyle::SP_DialogSaveButton}},
      {TCommandIcon::PrevMisprint, {"go-previous", QStyle::SP_ArrowBack}},
      {TCommandIcon::NextMisprint, {"go-next", QStyle::SP_ArrowForward}},
      {TCommandIcon::WordWrap, {"format-justify-left", QStyle::SP_FileDialogDetailedView}},
      {TCommandIcon::Preferences, {"preferences-system", QStyle::SP_FileDialogInfoView}},
      {TCommandIcon::Feedback, {"mail-send", QStyle::SP_DialogYesButton}},
      {TCommandIcon::CheckUpdates, {"system-software-update", QStyle::SP_BrowserReload}},
      {TCommandIcon::Help, {"help-contents", QStyle::SP_DialogHelpButton}},
      {TCommandIcon::About, {"help-about", QStyle::SP_MessageBoxInformation}},
      {TCommandIcon::Exit, {"application-exit", QStyle::SP_DialogCloseButton}},
      {TCommandIcon::Undo, {"edit-undo", QStyle::SP_ArrowLeft}},
      {TCommandIcon::Redo, {"edit-redo", QStyle::SP_ArrowRight}},
      {TCommandIcon::Cut, {"edit-cut", QStyle::SP_DialogDiscardButton}},
      {TCommandIcon::Copy, {"edit-copy", QStyle::SP_FileIcon}},
      {TCommandIcon::Paste, {"edit-paste", QStyle::SP_DialogApplyButton}},
      {TCommandIcon::Delete, {"edit-delete", QStyle::SP_TrashIcon}},
      {TCommandIcon::SelectAll, {"edit-select-all", QStyle::SP_FileDialogListView}},
      {TCommandIcon::Find, {"edit-find", QStyle::SP_FileDialogContentsView}},
      {TCommandIcon::Replace, {"edit-find-replace", QStyle::SP_FileDialogContentsView}},
      {TCommandIcon::AddToDictionary, {"list-add", QStyle::SP_DialogOkButton}},
      {TCommandIcon::IgnoreWord, {"list-remove", QStyle::SP_DialogCancelButton}},
  };
  return table;
}

} // namespace

QIcon CommandIcon(TCommandIcon command) {
  const TIconSource& source = IconTable().at(command);
  const QString name = QString::fromLatin1(source.ThemeName);
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  return QApplication::style()->standardIcon(source.Fallback);
}

} // namespace qm
