// The about box: the program's name, icon, version and build, and a link to
// the product web site.
#pragma once

#include <QDialog>
#include <QString>

#include <string>

class QLabel;
class QPushButton;

namespace qm {

// The version line for a four-part file version ("1.1.0.43" gives
// "Version: 1.1 (Build 43)"); both parts are empty for an empty version.
QString AboutVersionLine(const std::string& fileVersion);

class TDlgAbout : public QDialog {
  Q_OBJECT

public:
  static constexpr int kClientWidth = 377;
  static constexpr int kClientHeight = 219;

  explicit TDlgAbout(QWidget* parent = nullptr);

  QLabel* lCaption = nullptr;
  QLabel* imgIcon = nullptr;
  QLabel* lVersion = nullptr;
  QLabel* lSite = nullptr;
  QPushButton* btnOK = nullptr;

  // Opens the product web site's home page.
  void lSiteClick();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void FormCreate();
};

// Shows the about box modally and frees it.
void ShowAbout();

} // namespace qm
