// The program's only message dialogs: a caption, a text with an icon chosen by
// the kind, and one push button per name of a "|"-separated list of message
// keys, captioned from the message table. The dialog answers the name of the
// button chosen, or the default name when it is dismissed (Escape, close box).
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QFrame;

namespace qm {

enum class DialogKind : uint8_t { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

// The button names of a list: "|" separates them, an empty list has none, an
// empty name is a button with an empty caption.
QStringList SplitButtonNames(const QString& buttons);

class TAlphaDialog : public QDialog {
  Q_OBJECT

public:
  explicit TAlphaDialog(QWidget* parent = nullptr);

  // Lays the dialog out for one question: caption, text, icon, size, and the
  // buttons with their captions; the first button has the focus.
  void Prepare(const QString& caption, const QString& text, DialogKind kind, const QStringList& names,
               const QString& defaultButton);

  // The name of the button that ended the dialog (the default one when it was
  // dismissed); empty when none.
  QString ChosenName() const;

  QStringList Names() const { return names_; }
  // 1-based index of the default button in Names(); 0 when none.
  int DefaultResult() const { return defaultResult_; }
  const QList<QPushButton*>& Buttons() const { return buttons_; }
  QLabel* CaptionLabel() const { return lCaption_; }
  // The icon shown for the kind: "imConfirm", "imInfo", "imWarning" or "imError".
  QString ShownImage() const;

  // Closing without a button answers the default button.
  void reject() override;

protected:
  // Escape closes the dialog.
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void AddImage(const char* name, int standardIcon);
  void SizeToText();
  int ButtonWidth(const QStringList& names, const QString& defaultButton);
  void AddButtons(int buttonWidth);

  QFrame* pnlCaption_ = nullptr;
  QLabel* lCaption_ = nullptr;
  QList<QLabel*> images_;
  QList<QPushButton*> buttons_;
  QStringList names_;
  int defaultResult_ = 0;
  bool activating_ = false;
};

// What a test's answerer is told about a dialog that is open.
struct TDialogRequest {
  QString Caption;
  QString Text;
  DialogKind Kind;
  QStringList Buttons;   // the names, in order
  QStringList Captions;  // the captions the buttons show
  QString DefaultButton;
  TAlphaDialog* Dialog;
};

// Answers an open dialog with a button name: that button is clicked; an empty
// or unknown name dismisses the dialog with Escape.
using TDialogAnswerer = std::function<QString(const TDialogRequest&)>;

// Installs the process-wide answerer consulted by every dialog once it is
// shown (none, the default, waits for a person).
void SetDialogAnswerer(TDialogAnswerer answerer);

// Builds the dialog, runs it modally and answers the chosen button's name, or
// the default name when the dialog was dismissed and it is one of the names;
// else an empty text.
QString ShowDialog(const QString& caption, const QString& text, DialogKind kind, const QString& buttons,
                   const QString& defaultButton);

// Captions from "msgErrorDialogCaption" / "msgInfoDialogCaption", or "Error" /
// "Information" when those are empty; buttons is also the default name.
void ShowErrorDialog(const QString& text, const QString& buttons);
void ShowInfoDialog(const QString& text, const QString& buttons);

// The dialog being shown, if any.
TAlphaDialog* ActiveAlphaDialog();

} // namespace qm
