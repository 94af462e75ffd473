// quillon-mini: the window. The process-wide modules start before it and
// stop after it.
#include "engine/ProcessModules.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillon Mini");
  qm::RegisterProcessModule({"messages", [] { qm::CreateLocalizator(); }, [] { qm::FreeLocalizator(); }});
  qm::StartProcessModules();
  int status = 0;
  {
    qm::TfrmMain window;
    window.showMinimized();
    status = application.exec();
  }
  qm::StopProcessModules();
  return status;
}
