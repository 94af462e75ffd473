// The main window's document workflow: opening with the size guard, saving,
// word wrap, the delayed re-check and the misprint count.
#include "ui/MainWindow.h"

#include "engine/CheckSettings.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/AlphaDialog.h"
#include "ui/Localizator.h"
#include "ui/SynEditWidget.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

namespace qm {

void TfrmMain::actOpenFileExecute() {
  const QString chosen = ChooseFileToOpen ? ChooseFileToOpen(this)
                                          : QFileDialog::getOpenFileName(this, QString(), QString(), "All Files (*)");
  if (chosen.isEmpty()) return;
  OpenFile(chosen.toStdString());
}

void TfrmMain::OpenFile(const std::string& fileName) {
  if (ReadOptionBool(Options(), keys::SkipLargeFiles)) {
    const int64_t limit =
        int64_t{TextToInteger(ReadOptionString(Options(), keys::MaxFileSize), keys::DefaultMaxFileSize)} * 1024;
    if (FileSizeOf(fileName) > limit) {
      ShowErrorDialog(GetMessage("msgFileIsTooBig"), "OK");
      return;
    }
  }
  try {
    checker_->LoadFile(fileName);
  } catch (...) {
    // The editor was emptied before the read failed: it must never be saved
    // over the file that was open before.
    currentFileName_.clear();
    synEdit_->SetModified(false);
    UpdateActions();
    throw;
  }
  currentFileName_ = fileName;
  ApplyOptionsAndRecheck();
  synEdit_->setEnabled(true);
  synEdit_->SetCaretXY({1, 1});
  synEdit_->SetTopRow(1);
  UpdateActions();
  if (actNextMisprint->isEnabled()) actNextMisprint->trigger();
}

void TfrmMain::actSaveFileExecute() {
  if (currentFileName_.empty()) return;
  synEdit_->SaveToFile(currentFileName_);
  synEdit_->SetModified(false);
  UpdateActions();
}

void TfrmMain::actWordWrapExecute() {
  synEdit_->SetWordWrap(!synEdit_->WordWrap());
  actWordWrap->setChecked(synEdit_->WordWrap());
  WriteOptionBool(Options(), keys::WordWrap, synEdit_->WordWrap());
  SaveOptions(Options(), ConfigFile());
}

void TfrmMain::SynEditChange() {
  TimerRecheck->stop();
  TimerRecheck->setInterval(500);
  TimerRecheck->start();
  UpdateActions();
}

void TfrmMain::TimerRecheckTimer() {
  TimerRecheck->stop();
  ApplyOptionsAndRecheck();
}

void TfrmMain::ApplyOptionsAndRecheck() {
  TSpellCheckPlugin& plugin = checker_->Plugin();
  ApplyCheckOptions(plugin, Options());
  plugin.CheckAll();
  synEdit_->Repaint();
  statusPanel0_->setText(QString::number(plugin.Misprints.Count()) + " misprint(s)");
  UpdateActions();
}

void TfrmMain::UpdateActions() {
  actSaveFile->setEnabled(synEdit_->Modified() && !currentFileName_.empty());
  actPrevMisprint->setEnabled(checker_ && checker_->HasPrevMisprint());
  actNextMisprint->setEnabled(checker_ && checker_->HasNextMisprint());
}

} // namespace qm
