#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qm {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : items) {
    auto* button = new QRadioButton(text, this);
    group_->addButton(button, static_cast<int>(items_.size()));
    layout->addWidget(button);
    items_.append(button);
  }
  SetItemIndex(0);
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QRadioButton* button = Item(index)) button->setChecked(true);
}

} // namespace qm
