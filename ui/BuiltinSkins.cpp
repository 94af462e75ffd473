#include "ui/BuiltinSkins.h"

namespace qm {

namespace {

// Soft blue surfaces with dark blue text and a warm highlight.
const char* const kOfficeBlue = R"(/* Blue office look.
  @window: #D7E4F4  @window-text: #1E395B  @base: #FFFFFF  @alternate-base: #EEF4FB
  @text: #000000  @button: #E3EDF9  @button-text: #1E395B
  @highlight: #FBDC8C  @highlighted-text: #1E1E1E
  @tooltip-base: #F4F8FD  @tooltip-text: #1E395B
  @light: #FFFFFF  @mid: #A9C2E3  @dark: #7F9DB9
  @border: #8CAAD6  @caption: #1E395B */
QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #E9F0FA, stop:1 #C6D9F1); border: none; spacing: 2px; }
QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #E4EDF8, stop:1 #CFDFF3); color: #1E395B; }
QMenuBar::item { background: transparent; padding: 3px 8px; }
QMenuBar::item:selected { background: #FBDC8C; border-radius: 2px; }
QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #D9E6F6, stop:1 #BED2EE); color: #1E395B; }
QToolTip { background: #F4F8FD; color: #1E395B; border: 1px solid #8CAAD6; }
)";

// Light grey surfaces with a glassy tool bar and a blue highlight.
const char* const kVista = R"(/* Light glass look.
  @window: #F0F0F0  @window-text: #1A1A1A  @base: #FFFFFF  @alternate-base: #F5F8FC
  @text: #000000  @button: #ECECEC  @button-text: #1A1A1A
  @highlight: #3399FF  @highlighted-text: #FFFFFF
  @tooltip-base: #FFFFFF  @tooltip-text: #3C3C3C
  @light: #FFFFFF  @mid: #B9C3CF  @dark: #8E9AA8
  @border: #A0AFC3  @caption: #1A1A1A */
QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FBFCFE, stop:0.5 #EEF2F8, stop:0.51 #E1E8F1, stop:1 #DAE2EC); border: none; spacing: 2px; }
QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FAFBFD, stop:1 #E3E9F1); color: #1A1A1A; }
QMenuBar::item { background: transparent; padding: 3px 8px; }
QMenuBar::item:selected { background: #CCE4F7; border: 1px solid #99C9EF; border-radius: 2px; }
QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F1F5FB, stop:1 #D6DFEA); color: #1A1A1A; }
QToolTip { background: #FFFFFF; color: #3C3C3C; border: 1px solid #A0AFC3; }
)";

} // namespace

const std::vector<TBuiltinSkin>& BuiltinSkins() {
  static const std::vector<TBuiltinSkin> skins = {
      {"Office2007 Blue (internal)", kOfficeBlue},
      {"Vista (internal)", kVista},
  };
  return skins;
}

} // namespace qm
