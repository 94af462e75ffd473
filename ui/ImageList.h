// A list of pictures of one size, drawn by index: the program's image lists
// (tool bar pictures, animation frames and their templates).
#pragma once

#include <QList>
#include <QPixmap>

class QPainter;

namespace qm {

class TImageList {
public:
  TImageList(int width = 16, int height = 16) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(pictures_.size()); }

  // Answers the new picture's index.
  int Add(const QPixmap& picture);
  void Clear() { pictures_.clear(); }
  // The picture at index; a null pixmap outside 0 .. Count() - 1.
  QPixmap Picture(int index) const;
  // Draws picture index with its top-left corner at x, y; nothing outside the
  // list.
  void Draw(QPainter& painter, int x, int y, int index) const;

private:
  int width_;
  int height_;
  QList<QPixmap> pictures_;
};

} // namespace qm
