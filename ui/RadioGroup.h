// A captioned group of radio buttons, one of which is chosen, addressed by
// its index.
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace qm {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

public:
  // The first item starts chosen.
  TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const { return items_.value(index); }
  int Count() const { return static_cast<int>(items_.size()); }

private:
  QButtonGroup* group_ = nullptr;
  QList<QRadioButton*> items_;
};

} // namespace qm
