// The preferences dialog: appearance and the large-file guard, the check
// scope and word rules, the dictionaries' order and use, and the proxy. It
// writes the settings only on OK; a skin chosen in its list is shown at once
// and taken back on Cancel.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace qm {

class TSkinManager;

class TDlgPreferences : public QDialog {
  Q_OBJECT

public:
  static constexpr int kClientWidth = 500;
  static constexpr int kClientHeight = 400;
  static constexpr const char* PageDescriptionKeys[] = {"capPrefGeneral", "capPrefChecker", "capPrefDictionaries",
                                                        "capPrefInternet"};
  // The data role of a dictionary row holding its section name.
  static constexpr int kSectionRole = Qt::UserRole + 1;

  // skinsOff runs when OK switched the skins off (the window's after-change
  // handler brings the platform colours back).
  TDlgPreferences(TSkinManager& skins, std::function<void()> skinsOff, QWidget* parent = nullptr);

  // Loads the controls, shows the page (other numbers: 0) modally, and on OK
  // applies the skin switches and stores the controls; on Cancel takes back
  // a previewed skin. Answers the dialog's result.
  int Run(int page);
  void LoadControls();
  void StoreControls();
  void PageControlChange();

  std::string SavedSkinName;

  QLabel* lDescription = nullptr;
  QLabel* imgIcon = nullptr;
  QTabWidget* PageControl = nullptr;
  QComboBox* cbSkinList = nullptr;
  QCheckBox* cbShowHints = nullptr;
  QCheckBox* cbDisableSkins = nullptr;
  QCheckBox* cbExtendedBorders = nullptr;
  QCheckBox* cbMaxFileSize = nullptr;
  QSpinBox* seMaxFileSize = nullptr;
  QListWidget* clbCheckScope = nullptr;
  QCheckBox* cbIgnoreUpperCase = nullptr;
  QCheckBox* cbIgnoreMixedCase = nullptr;
  QCheckBox* cbIgnoreNumbers = nullptr;
  QListWidget* clbDictionaries = nullptr;
  QAction* actMoveUp = nullptr;
  QAction* actMoveDown = nullptr;
  QPushButton* btnMoveUp = nullptr;
  QPushButton* btnMoveDown = nullptr;
  QRadioButton* rbDirectConnection = nullptr;
  QRadioButton* rbProxyConnection = nullptr;
  QLineEdit* editProxyHost = nullptr;
  QSpinBox* editProxyPort = nullptr;
  QLineEdit* editProxyUser = nullptr;
  QLineEdit* editProxyPass = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  QWidget* CreateGeneralPage();
  QWidget* CreateCheckerPage();
  QWidget* CreateDictionariesPage();
  QWidget* CreateInternetPage();
  void FillSkinList();
  void cbSkinListChange();
  void MoveRow(int by);
  void UpdateMoveActions();
  void StoreDictionaries();

  TSkinManager& skins_;
  std::function<void()> skinsOff_;
  bool fillingSkins_ = false;
};

// Runs the preferences dialog on a page and frees it; -1 when anything in it
// failed (the caller then neither saves nor re-checks).
int ShowPreferences(int page, TSkinManager& skins, std::function<void()> skinsOff, QWidget* parent = nullptr);

} // namespace qm
