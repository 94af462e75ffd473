#include "ui/EditorGutter.h"

#include "ui/SynEditWidget.h"

namespace qm {

TEditorGutter::TEditorGutter(TSynEditWidget& editor) : QWidget(&editor), editor_(editor) {}

QSize TEditorGutter::sizeHint() const { return {editor_.GutterWidth(), 0}; }

void TEditorGutter::paintEvent(QPaintEvent* event) { editor_.PaintGutter(*event); }

} // namespace qm
