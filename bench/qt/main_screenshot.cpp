// quillon-screenshot: a picture of the window for the documentation. Starts
// the process modules on a fresh data folder (the dictionaries of the build's
// data folder), shows the window at a given size or maximised, opens a file,
// opens the editor's context menu on the first misprint as a right click
// there would, and saves the window with the menu over it as a PNG.
// Usage: quillon-screenshot <file> <output.png> [--maximized]
#include "engine/ProcessModules.h"
#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/Localizator.h"
#include "ui/MainWindow.h"
#include "ui/SynEditWidget.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace {

bool LayOutDataFolder(const QString& folder) {
  for (const char* name : {"en_US.aff", "en_US.dic", "user.aff", "user.dic", "dictionaries.info"})
    if (!QFile::copy(QStringLiteral(QM_BUILD_DATA) + name, folder + "/" + name)) return false;
  return true;
}

// The window with the open context menu painted over it where it shows.
QPixmap Shot(qm::TfrmMain& window) {
  QPixmap shot = window.grab();
  if (window.pmEditors->isVisible()) {
    QPainter painter(&shot);
    painter.drawPixmap(window.mapFromGlobal(window.pmEditors->pos()), window.pmEditors->grab());
  }
  return shot;
}

} // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: quillon-screenshot <file> <output.png> [--maximized]\n");
    return 2;
  }
  const std::string file = argv[1];
  const QString output = QString::fromLocal8Bit(argv[2]);
  const bool maximized = argc > 3 && std::strcmp(argv[3], "--maximized") == 0;

  QTemporaryDir data;
  if (!data.isValid() || !LayOutDataFolder(data.path())) {
    std::fprintf(stderr, "cannot lay out a data folder from %s\n", QM_BUILD_DATA);
    return 1;
  }
  qm::SetDataFolder(data.path().toStdString());
  qm::RegisterProcessModule({"messages", [] { qm::CreateLocalizator(); }, [] { qm::FreeLocalizator(); }});
  qm::StartProcessModules();
  qm::WriteOptionString(qm::Options(), qm::keys::FormLayout, maximized ? "M|0|0|1024|680" : "|0|0|1024|680");

  int status = 0;
  {
    qm::TfrmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "the window was not shown\n");
    // Without a window manager (a bare X server) nothing maximises the
    // window: give it the screen as a maximised window would have.
    if (maximized && window.screen() && window.size() != window.screen()->availableGeometry().size())
      window.setGeometry(window.screen()->availableGeometry());
    QTest::qWait(100);
    window.OpenFile(file);
    QTest::qWait(300);

    qm::TSynEditWidget* editor = window.SynEdit();
    const QPoint at = editor->cursorRect().bottomLeft() + QPoint(4, 2);
    window.pmEditorsPopup();
    window.pmEditors->popup(editor->viewport()->mapToGlobal(at));
    QTest::qWait(300);

    if (!Shot(window).save(output, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", argv[2]);
      status = 1;
    }
    window.pmEditors->close();
  }
  qm::StopProcessModules();
  return status;
}
