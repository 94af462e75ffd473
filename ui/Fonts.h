// The program's fonts: the system's fixed-pitch font for the editor and its
// gutter, and the dialogs' font.
#pragma once

#include <QFont>

namespace qm {

QFont EditorFont();  // fixed pitch, 15 pixels
QFont GutterFont();  // fixed pitch, 11 pixels
QFont DialogFont();  // the application's font at 13 pixels

} // namespace qm
