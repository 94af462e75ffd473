#include "ui/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
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

// A clipboard with a sheet on it: Qt has no standard picture for pasting.
QIcon DrawnPasteIcon() {
  QIcon icon;
  for (int size : {16, 24, 32}) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.scale(unit, unit);
    painter.setPen(QPen(QColor(0x6B, 0x4A, 0x2B), 1));
    painter.setBrush(QColor(0xC8, 0x96, 0x5A));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 10, 12.5), 1.5, 1.5);
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
    painter.drawRect(QRectF(5.5, 5.5, 9, 9.5));
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (qreal y : {8.5, 10.5, 12.5}) painter.drawLine(QPointF(7, y), QPointF(13, y));
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    painter.setBrush(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRoundedRect(QRectF(5.5, 1.5, 4, 2.5), 1, 1);
    painter.end();
    icon.addPixmap(picture);
  }
  return icon;
}

} // namespace

QIcon CommandIcon(TCommandIcon command) {
  const TIconSource& source = IconTable().at(command);
  const QString name = QString::fromLatin1(source.ThemeName);
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  if (command == TCommandIcon::Paste) return DrawnPasteIcon();
  return QApplication::style()->standardIcon(source.Fallback);
}

} // namespace qm
