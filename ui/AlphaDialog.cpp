#include "ui/AlphaDialog.h"

#include "ui/Fonts.h"
#include "ui/Localizator.h"
#include "ui/SkinColors.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace qm {

namespace {

// Layout of the form at design time.
const int kPanelMargin = 4;
const int kPanelBottom = 41;  // from the panel's bottom edge to the window's
const int kImageSize = 48;
const QPoint kLabelAt{64, 6};
const int kButtonHeight = 25;
const int kButtonGap = 15;
const int kButtonBottom = 6;
const int kMinButtonWidth = 75;
const int kMinWidth = 200;
const int kMinHeight = 126;

struct TKindImage {
  const char* Name;
  QStyle::StandardPixmap Icon;
};

// In the order of the images on the form.
const TKindImage kImages[] = {
    {"imConfirm", QStyle::SP_MessageBoxQuestion},
    {"imInfo", QStyle::SP_MessageBoxInformation},
    {"imWarning", QStyle::SP_MessageBoxWarning},
    {"imError", QStyle::SP_MessageBoxCritical},
};

const char* ImageForKind(DialogKind kind) {
  switch (kind) {
    case DialogKind::Warning: return "imWarning";
    case DialogKind::Error: return "imError";
    case DialogKind::Confirmation: return "imConfirm";
    default: return "imInfo";
  }
}

TDialogAnswerer& Answerer() {
  static TDialogAnswerer answerer;
  return answerer;
}

TAlphaDialog*& ActiveDialog() {
  static TAlphaDialog* dialog = nullptr;
  return dialog;
}

// Keeps the process-wide dialog variable pointing at the dialog while it
// exists.
class TActiveDialogScope {
public:
  explicit TActiveDialogScope(TAlphaDialog* dialog) : previous_(ActiveDialog()) { ActiveDialog() = dialog; }
  ~TActiveDialogScope() { ActiveDialog() = previous_; }
  TActiveDialogScope(const TActiveDialogScope&) = delete;
  TActiveDialogScope& operator=(const TActiveDialogScope&) = delete;

private:
  TAlphaDialog* previous_;
};

QRect ScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

TDialogRequest RequestFor(TAlphaDialog& dialog, const QString& caption, const QString& text, DialogKind kind,
                          const QString& defaultButton) {
  TDialogRequest request{caption, text, kind, dialog.Names(), {}, defaultButton, &dialog};
  for (const QPushButton* button : dialog.Buttons()) request.Captions.append(button->text());
  return request;
}

// Clicks the named button, or presses Escape when no button has that name.
void Answer(TAlphaDialog& dialog, const QString& name) {
  const int index = static_cast<int>(dialog.Names().indexOf(name));
  if (index >= 0) {
    dialog.Buttons()[index]->click();
    return;
  }
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&dialog, &escape);
}

} // namespace

QStringList SplitButtonNames(const QString& buttons) {
  if (buttons.isEmpty()) return {};
  return buttons.split(QLatin1Char('|'));
}

TAlphaDialog::TAlphaDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AlphaDialog"));
  setFont(DialogFont());
  resize(204, 99);
  pnlCaption_ = new QFrame(this);
  pnlCaption_->setObjectName(QStringLiteral("pnlCaption"));
  pnlCaption_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  pnlCaption_->setGeometry(kPanelMargin, kPanelMargin, 196, 58);
  for (const TKindImage& image : kImages) AddImage(image.Name, image.Icon);
  lCaption_ = new QLabel(pnlCaption_);
  lCaption_->setObjectName(QStringLiteral("lCaption"));
  lCaption_->setTextFormat(Qt::PlainText);
  lCaption_->move(kLabelAt);
}

void TAlphaDialog::AddImage(const char* name, int standardIcon) {
  auto* image = new QLabel(pnlCaption_);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(kPanelMargin, kPanelMargin, kImageSize, kImageSize);
  image->setPixmap(style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon)).pixmap(kImageSize, kImageSize));
  images_.append(image);
}

void TAlphaDialog::Prepare(const QString& caption, const QString& text, DialogKind kind, const QStringList& names,
                           const QString& defaultButton) {
  setWindowTitle(caption);
  try {
    QPalette palette = lCaption_->palette();
    palette.setColor(QPalette::WindowText, SkinColors().CaptionText);
    lCaption_->setPalette(palette);
  } catch (const std::exception&) {
    // The label keeps the window's text colour.
  }
  lCaption_->setWordWrap(false);
  lCaption_->setText(text);
  lCaption_->adjustSize();
  const QString shown = QString::fromLatin1(ImageForKind(kind));
  for (QLabel* image : images_) image->setVisible(image->objectName() == shown);
  SizeToText();
  names_ = names;
  AddButtons(ButtonWidth(names, defaultButton));
}

// The window fits the label, within the screen: a label too large for the
// screen is cut.
void TAlphaDialog::SizeToText() {
  const QRect screen = ScreenRect();
  int width = std::max(lCaption_->width() + 90, kMinWidth);
  if (width >= screen.width() - 50) {
    lCaption_->resize(screen.width() - 140, lCaption_->height());
    width = lCaption_->width() + 90;
  }
  int height = std::max(lCaption_->height() + 80, kMinHeight);
  if (height >= screen.height() - 50) {
    lCaption_->resize(lCaption_->width(), screen.height() - 130);
    height = lCaption_->height() + 80;
  }
  resize(width, height);
}

// All buttons are as wide as the widest name (the name, not its caption)
// measured in the dialog's font plus 30, and at least 75.
int TAlphaDialog::ButtonWidth(const QStringList& names, const QString& defaultButton) {
  defaultResult_ = 0;
  int buttonWidth = kMinButtonWidth;
  const QFontMetrics metrics(font());
  for (int i = 0; i < names.size(); ++i) {
    if (names[i] == defaultButton) defaultResult_ = i + 1;
    buttonWidth = std::max(buttonWidth, metrics.horizontalAdvance(names[i]) + 30);
  }
  return buttonWidth;
}

void TAlphaDialog::AddButtons(int buttonWidth) {
  const int count = static_cast<int>(names_.size());
  const int rowWidth = count * (buttonWidth + kButtonGap) - kButtonGap;
  int width = this->width();
  if (width < rowWidth + 16) width = rowWidth + 16;
  const int leftMargin = (width - rowWidth - 6) / 2;
  setFixedSize(width, height());
  pnlCaption_->resize(width - 2 * kPanelMargin, height() - kPanelMargin - kPanelBottom);
  for (int i = 0; i < count; ++i) {
    auto* button = new QPushButton(GetMessage(names_[i].toStdString()), this);
    button->setProperty("tag", i + 1);
    button->setGeometry((buttonWidth + kButtonGap) * i + leftMargin, height() - kButtonHeight - kButtonBottom,
                        buttonWidth, kButtonHeight);
    connect(button, &QPushButton::clicked, this, [this, i] { done(i + 1); });
    buttons_.append(button);
  }
  if (!buttons_.isEmpty()) buttons_.front()->setFocus();
}

QString TAlphaDialog::ChosenName() const {
  const int chosen = result();
  if (chosen < 1 || chosen > names_.size()) return {};
  return names_[chosen - 1];
}

QString TAlphaDialog::ShownImage() const {
  for (const QLabel* image : images_) {
    if (!image->isHidden()) return image->objectName();
  }
  return {};
}

void TAlphaDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAlphaDialog::reject() { done(defaultResult_); }

// On every activation change the dialog is raised above the program's other
// windows; the flag keeps the change this causes from coming back here.
bool TAlphaDialog::event(QEvent* event) {
  if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) && !activating_) {
    activating_ = true;
    raise();
    activating_ = false;
  }
  return QDialog::event(event);
}

void TAlphaDialog::showEvent(QShowEvent* event) {
  move(ScreenRect().center() - rect().center());
  QDialog::showEvent(event);
}

void SetDialogAnswerer(TDialogAnswerer answerer) { Answerer() = std::move(answerer); }

TAlphaDialog* ActiveAlphaDialog() { return ActiveDialog(); }

QString ShowDialog(const QString& caption, const QString& text, DialogKind kind, const QString& buttons,
                   const QString& defaultButton) {
  TAlphaDialog dialog;
  TActiveDialogScope scope(&dialog);
  dialog.Prepare(caption, text, kind, SplitButtonNames(buttons), defaultButton);
  if (Answerer()) {
    const TDialogRequest request = RequestFor(dialog, caption, text, kind, defaultButton);
    QTimer::singleShot(0, &dialog, [&dialog, request, answerer = Answerer()] { Answer(dialog, answerer(request)); });
  }
  dialog.exec();
  return dialog.ChosenName();
}

namespace {

QString CaptionOr(const char* key, const char* fallback) {
  const QString caption = GetMessage(key);
  return caption.isEmpty() ? QString::fromLatin1(fallback) : caption;
}

} // namespace

void ShowErrorDialog(const QString& text, const QString& buttons) {
  ShowDialog(CaptionOr("msgErrorDialogCaption", "Error"), text, DialogKind::Error, buttons, buttons);
}

void ShowInfoDialog(const QString& text, const QString& buttons) {
  ShowDialog(CaptionOr("msgInfoDialogCaption", "Information"), text, DialogKind::Information, buttons, buttons);
}

} // namespace qm
