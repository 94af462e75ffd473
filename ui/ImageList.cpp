#include "ui/ImageList.h"

#include <QPainter>

namespace qm {

int TImageList::Add(const QPixmap& picture) {
  pictures_.append(picture);
  return Count() - 1;
}

QPixmap TImageList::Picture(int index) const {
  if (index < 0 || index >= Count()) return {};
  return pictures_[index];
}

void TImageList::Draw(QPainter& painter, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  painter.drawPixmap(x, y, pictures_[index]);
}

} // namespace qm
