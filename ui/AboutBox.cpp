#include "ui/AboutBox.h"

#include "diagnostics/SystemInfo.h"
#include "ui/Icons.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"
#include "ui/MessageFormat.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace qm {

QString AboutVersionLine(const std::string& fileVersion) {
  const TProgramVersion version = SplitProgramVersion(fileVersion);
  return FormatMessage(GetMessage("msgAboutVersion"),
                       {QString::fromStdString(version.Version), QString::fromStdString(version.Build)});
}

TDlgAbout::TDlgAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgAbout");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setFixedSize(kClientWidth, kClientHeight);

  lCaption = new QLabel("QuillonMini", this);
  lCaption->setObjectName("lCaption");
  QFont big = lCaption->font();
  big.setPixelSize(24);
  big.setBold(true);
  lCaption->setFont(big);
  imgIcon = new QLabel(this);
  imgIcon->setObjectName("imgIcon");
  imgIcon->setPixmap(CommandIcon(TCommandIcon::About)
                         .pixmap(48, 48)
                         .scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  imgIcon->setFixedSize(48, 48);
  lVersion = new QLabel(this);
  lVersion->setObjectName("lVersion");
  lSite = new QLabel(this);
  lSite->setObjectName("lSite");
  QFont link = lSite->font();
  link.setUnderline(true);
  lSite->setFont(link);
  lSite->setCursor(Qt::PointingHandCursor);
  lSite->installEventFilter(this);
  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(imgIcon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(lCaption, 0, 1);
  layout->addWidget(lVersion, 1, 1);
  layout->addWidget(lSite, 2, 1);
  layout->addWidget(btnOK, 3, 1, Qt::AlignRight | Qt::AlignBottom);
  layout->setRowStretch(3, 1);
  FormCreate();
}

void TDlgAbout::FormCreate() {
  setWindowTitle(GetMessage("msgAbout"));
  lVersion->setText(AboutVersionLine(ProgramFileVersion()));
  lSite->setText(WebSiteAddress());
}

void TDlgAbout::lSiteClick() { OpenWebPage(QString()); }

void TDlgAbout::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & Qt::ControlModifier)) {
    btnOK->click();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    reject();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lSite && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    lSiteClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TDlgAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void ShowAbout() {
  TDlgAbout about;
  about.exec();
}

} // namespace qm
