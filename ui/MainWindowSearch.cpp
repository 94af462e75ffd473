// The main window's find, search again and replace, the preferences and
// the about box.
#include "persistence/DataLocations.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/AboutBox.h"
#include "ui/AlphaDialog.h"
#include "ui/FindDialog.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"
#include "ui/MessageFormat.h"
#include "ui/PreferencesDialog.h"
#include "ui/SynEditWidget.h"

#include <QAction>

namespace qm {
namespace {

std::u16string ToU16(const QString& text) { return text.toStdU16String(); }

void ShowNotFound(const QString& search) {
  ShowInfoDialog(FormatMessage(GetMessage("msgStringNotFound"), {search}), "OK");
}

// Clears the replace bits when a replace ends, however it ends.
class TReplaceBitsGuard {
public:
  explicit TReplaceBitsGuard(uint8_t& options) : options_(options) {}
  ~TReplaceBitsGuard() { options_ &= static_cast<uint8_t>(~kReplaceOptions); }
  TReplaceBitsGuard(const TReplaceBitsGuard&) = delete;
  TReplaceBitsGuard& operator=(const TReplaceBitsGuard&) = delete;

private:
  uint8_t& options_;
};

} // namespace

void TfrmMain::ConnectDialogActions() {
  dlgFind_ = new TdlgFind(this);
  connect(actFind, &QAction::triggered, this, [this] { Guarded([this] { actFindExecute(); }); });
  connect(actSearchAgain, &QAction::triggered, this, [this] { Guarded([this] { actSearchAgainExecute(); }); });
  connect(actReplace, &QAction::triggered, this, [this] { Guarded([this] { actReplaceExecute(); }); });
  connect(actAbout, &QAction::triggered, this, [this] { Guarded([] { ShowAbout(); }); });
  connect(actPreferences, &QAction::triggered, this, [this] { Guarded([this] { actPreferencesExecute(); }); });
}

// The page is the Tag of the menu item that fired the action (none: 0).
void TfrmMain::actPreferencesExecute() {
  const int page = actPreferences->data().toInt();
  actPreferences->setData(0);
  if (ShowPreferences(page, *skins_, [this] { SkinManagerAfterChange(); }, this) != QDialog::Accepted) return;
  SaveOptions(Options(), ConfigFile());
  ApplyOptionsAndRecheck();
}

void TfrmMain::actFindExecute() {
  dlgFind_->setWindowTitle(GetMessage("msgFindText"));
  dlgFind_->Prepare(SearchOptions, QString::fromStdU16String(synEdit_->SelectedText()));
  dlgFind_->SetReplaceMode(false);
  if (dlgFind_->exec() != QDialog::Accepted) return;
  SearchOptions = dlgFind_->ReadBack();
  const QString search = dlgFind_->SearchText();
  if (search.isEmpty()) {
    actSearchAgain->setEnabled(false);
    return;
  }
  SearchEditor(search, SearchOptions);
}

// Searching again goes on from the occurrence found last: over the entire
// scope it would find the first one again and again.
void TfrmMain::actSearchAgainExecute() {
  SearchEditor(dlgFind_->SearchText(), SearchOptions & static_cast<uint8_t>(~ssoEntireScope));
}

void TfrmMain::SearchEditor(const QString& search, uint8_t options) {
  const bool found = SearchReplace(*synEdit_, ToU16(search), {}, options) > 0;
  actSearchAgain->setEnabled(found);
  if (!found) ShowNotFound(search);
}

void TfrmMain::actReplaceExecute() {
  dlgFind_->setWindowTitle("Replace Text");
  dlgFind_->Prepare(SearchOptions, QString::fromStdU16String(synEdit_->SelectedText()));
  dlgFind_->SetReplaceMode(true);
  if (dlgFind_->exec() != QDialog::Accepted) return;
  SearchOptions = dlgFind_->ReadBack() | kReplaceOptions;
  const TReplaceBitsGuard clearReplaceBits(SearchOptions);
  const QString search = dlgFind_->SearchText();
  if (search.isEmpty()) return;
  dlgFind_->RememberReplacement();
  const auto ask = [this](const std::u16string& searchText, const std::u16string& replacement, int line,
                          int column) { return SynEditReplaceText(searchText, replacement, line, column); };
  if (SearchReplace(*synEdit_, ToU16(search), ToU16(dlgFind_->ReplaceText()), SearchOptions, ask) == 0)
    ShowNotFound(search);
}

TReplaceAction TfrmMain::SynEditReplaceText(const std::u16string& search, const std::u16string& replacement,
                                            int /*line*/, int /*column*/) {
  if (search == replacement) return TReplaceAction::raSkip;
  const QString answer = ShowDialog(
      GetMessage("msgConfirmReplace"),
      FormatMessage(GetMessage("msgReplaceOccurence"), {QString::fromStdU16String(replacement)}),
      DialogKind::Confirmation, "Yes|YesToAll|No|Cancel", "Cancel");
  if (answer == "Yes") return TReplaceAction::raReplace;
  if (answer == "YesToAll") return TReplaceAction::raReplaceAll;
  if (answer == "No") return TReplaceAction::raSkip;
  return TReplaceAction::raCancel;
}

} // namespace qm
