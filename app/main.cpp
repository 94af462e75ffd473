// quillon-mini: the window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Quillon");
  window.show();
  return application.exec();
}
