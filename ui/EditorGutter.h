// The strip left of the editor's text with the line numbers and the marks the
// window draws per line. It only hands its painting to the editor, which
// knows where every line is.
#pragma once

#include <QWidget>

namespace qm {

class TSynEditWidget;

class TEditorGutter : public QWidget {
  Q_OBJECT

public:
  explicit TEditorGutter(TSynEditWidget& editor);
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TSynEditWidget& editor_;
};

} // namespace qm
