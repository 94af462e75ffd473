// The find and replace dialog: the search text, the replacement (shown only
// for a replace), the match options, direction, scope and origin. Made once
// and reused, so both history lists last for the whole run.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;

namespace qm {

class TRadioGroup;

class TdlgFind : public QDialog {
  Q_OBJECT

public:
  static constexpr int kClientWidth = 325;
  static constexpr int kClientHeight = 250;  // with the replace panel: the Tag
  static constexpr int kFindPanelHeight = 33;
  static constexpr int kReplacePanelHeight = 32;

  explicit TdlgFind(QWidget* parent = nullptr);

  // Sets the controls from the option bits, enables the three radio groups
  // and puts the selected text (empty when none) into the search box; the
  // replacement keeps its last text.
  void Prepare(uint8_t searchOptions, const QString& selectedText);
  // Shows the replace panel (and the full height) or hides it.
  void SetReplaceMode(bool replace);
  // The option bits the controls give (match case, whole words, backwards,
  // entire scope, selected text); notes a new non-empty search text in its
  // history.
  uint8_t ReadBack();
  // Notes a new non-empty replacement in its history.
  void RememberReplacement();

  QString SearchText() const;
  QString ReplaceText() const;
  int Tag() const { return kClientHeight; }

  QWidget* pnlFind = nullptr;
  QComboBox* cbSearchText = nullptr;
  QWidget* pnlReplace = nullptr;
  QComboBox* cbReplaceText = nullptr;
  QWidget* pnlOptions = nullptr;
  QGroupBox* gbOptions = nullptr;
  QCheckBox* cbSearchCaseSensitive = nullptr;
  QCheckBox* cbSearchWholeWords = nullptr;
  TRadioGroup* rgSearchDirection = nullptr;
  TRadioGroup* rgScope = nullptr;
  TRadioGroup* rgOrigin = nullptr;
  QWidget* pnlBottom = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void CreatePanels();
  void CreateOptions();
};

} // namespace qm
