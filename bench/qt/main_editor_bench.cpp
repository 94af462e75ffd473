// quillon-editor-bench: how the window's editor holds up on a 1 MB C++ file,
// on Qt's offscreen platform. Loads the file (C++ lexer, the en_US
// dictionary of the build's data folder, the spell-check plugin as the window
// sets it up), then times:
//   - a keystroke in the middle of the file: the key's handling alone, and
//     with the repaint that follows it (the re-check aside);
//   - a full repaint of the visible page with the underlines;
//   - a wheel step (scroll by 3 rows and repaint at once);
//   - re-colouring the whole text (the transparency slider);
//   - CheckAll, cold and warm.
// Usage: quillon-editor-bench [data folder] [--no-wrap]
#include "engine/CheckSettings.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellCheckPlugin.h"
#include "engine/SpellChecker.h"
#include "engine/SpellerLibrary.h"
#include "persistence/OptionsStore.h"
#include "ui/SynEditWidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kFileSize = 1 << 20;

double Milliseconds(Clock::duration elapsed) { return std::chrono::duration<double, std::milli>(elapsed).count(); }

double TimeOnce(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return Milliseconds(Clock::now() - start);
}

void Report(const char* what, std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  double sum = 0;
  for (double sample : samples) sum += sample;
  const auto at = [&](double fraction) { return samples[static_cast<size_t>(fraction * (samples.size() - 1))]; };
  std::printf("%-44s n=%-4zu mean %8.3f ms  median %8.3f  p95 %8.3f  max %8.3f\n", what, samples.size(),
              sum / samples.size(), at(0.5), at(0.95), samples.back());
}

void ReportOnce(const char* what, double milliseconds) { std::printf("%-44s %8.1f ms\n", what, milliseconds); }

// About 1 MB of real C++: the library headers of /usr/include/c++/12/bits,
// cut at a line end.
std::string MakeCppText() {
  std::vector<std::filesystem::path> headers;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/include/c++/12/bits"))
    if (entry.path().extension() == ".h") headers.push_back(entry.path());
  std::sort(headers.begin(), headers.end());
  std::string text;
  for (const auto& header : headers) {
    std::ifstream in(header, std::ios::binary);
    text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (text.size() >= kFileSize) break;
  }
  if (text.size() > kFileSize) text.resize(text.rfind('\n', kFileSize) + 1);
  return text;
}

const qm::TOptionsList& DefaultOptions() {
  static const qm::TOptionsList options = [] {
    qm::TOptionsList list;
    qm::LoadOptions(list, "/nonexistent/config.dat");
    return list;
  }();
  return options;
}

// A line in the middle of the file inside a comment, so typing there is
// checked and underlined like prose.
int MiddleCommentLine(const qm::TSynEdit& editor) {
  for (int line = editor.LineCount() / 2; line <= editor.LineCount(); ++line)
    if (editor.LineText(line).find(u"//") != std::u16string::npos) return line;
  return editor.LineCount() / 2;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::string dataFolder = QM_BUILD_DATA;
  bool wrap = true;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--no-wrap")
      wrap = false;
    else
      dataFolder = argument + (argument.ends_with('/') ? "" : "/");
  }

  qm::LoadSpellerLibrary();
  qm::SetRegistryReadOnly(true);
  qm::LoadDictionaries(dataFolder + "dictionaries.dat", dataFolder);
  std::printf("speller library %s, %d dictionaries in %s\n", qm::SpellerAvailable() ? "loaded" : "MISSING",
              qm::DictionaryRegistry() ? qm::DictionaryRegistry()->Count() : 0, dataFolder.c_str());

  QTemporaryDir folder;
  const std::string path = QDir(folder.path()).filePath("big.cpp").toStdString();
  const std::string text = MakeCppText();
  std::ofstream(path, std::ios::binary) << text;

  qm::TSynEditWidget editor;
  editor.resize(1280, 900);
  editor.SetWordWrap(wrap);
  editor.show();
  QApplication::processEvents();
  qm::TSpellChecker checker(editor);
  std::printf("file: %zu bytes; editor %dx%d, word wrap %s\n\n", text.size(), editor.viewport()->width(),
              editor.viewport()->height(), wrap ? "on" : "off");

  ReportOnce("load (clear, lexer, read, colour)", TimeOnce([&] { checker.LoadFile(path); }));
  qm::ApplyCheckOptions(checker.Plugin(), DefaultOptions());
  editor.setEnabled(true);
  ReportOnce("CheckAll, cold", TimeOnce([&] { checker.Plugin().CheckAll(); }));
  ReportOnce("CheckAll, warm", TimeOnce([&] { checker.Plugin().CheckAll(); }));
  std::printf("%-44s %d lines, %d rows, %lld misprints\n", "document", editor.LineCount(), editor.RowCount(),
              static_cast<long long>(checker.Plugin().Misprints.Count()));

  const int line = MiddleCommentLine(editor);
  editor.SetCaretXY({static_cast<int>(editor.LineText(line).size()) + 1, line});
  editor.EnsureCaretCentred();
  editor.setFocus();
  QApplication::processEvents();

  std::vector<double> repaints;
  for (int i = 0; i < 100; ++i) repaints.push_back(TimeOnce([&] { editor.viewport()->repaint(); }));
  Report("full repaint of the page, with underlines", repaints);
  const QImage page = editor.viewport()->grab().toImage();
  int red = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) red += page.pixel(x, y) == qRgb(255, 0, 0);
  std::printf("%-44s %d underline pixels on the page\n", "", red);

  std::vector<double> bare;
  for (int i = 0; i < 100; ++i) {
    qm::TSpellCheckPlugin* plugin = &checker.Plugin();
    editor.RemovePlugin(plugin);
    bare.push_back(TimeOnce([&] { editor.viewport()->repaint(); }));
    editor.AddPlugin(plugin);
  }
  Report("full repaint of the page, text only", bare);

  std::vector<double> wheel;
  for (int i = 0; i < 100; ++i) wheel.push_back(TimeOnce([&] { editor.WheelScroll(i < 50 ? -120 : 120); }));
  Report("wheel step (3 rows) with repaint", wheel);

  // The transparency slider: tokens outside the scope blended towards the
  // background, as the window's handler does; one step = new colours + paint.
  int opacity = 255;
  qm::TSpellCheckPlugin& plugin = checker.Plugin();
  editor.SetSpecialAttriColorHandler([&](const std::string& name, QColor& foreground, QColor& background) {
    if (plugin.Scope.IndexOf(name) >= 1) return;
    const QColor base = editor.palette().color(QPalette::Base);
    const auto blend = [&](const QColor& c) {
      return QColor((c.red() * opacity + base.red() * (255 - opacity)) >> 8,
                    (c.green() * opacity + base.green() * (255 - opacity)) >> 8,
                    (c.blue() * opacity + base.blue() * (255 - opacity)) >> 8);
    };
    foreground = blend(foreground);
    background = blend(background);
  });
  std::vector<double> slider;
  for (int i = 0; i < 50; ++i) {
    opacity = 255 - 5 * i;
    slider.push_back(TimeOnce([&] {
      editor.RefreshSyntaxColors();
      editor.viewport()->repaint();
    }));
  }
  Report("slider step: new colours and repaint", slider);
  std::vector<double> scrolled;
  for (int i = 0; i < 50; ++i) scrolled.push_back(TimeOnce([&] { editor.WheelScroll(-120); }));
  Report("wheel step into text not yet re-coloured", scrolled);

  // Typing last: it changes the page.
  editor.SetCaretXY({static_cast<int>(editor.LineText(line).size()) + 1, line});
  editor.EnsureCaretCentred();
  QApplication::processEvents();
  std::vector<double> keys;
  std::vector<double> keysPainted;
  const char letters[] = "the quick brown fox jumps over a lazy dog ";
  for (int i = 0; i < 200; ++i) {
    const char letter = letters[i % (sizeof letters - 1)];
    keys.push_back(TimeOnce([&] { QTest::keyClick(&editor, letter); }));
    keysPainted.push_back(keys.back() + TimeOnce([&] { QApplication::processEvents(); }));
  }
  Report("keystroke handled", keys);
  Report("keystroke handled and painted", keysPainted);

  std::vector<double> enters;
  for (int i = 0; i < 50; ++i) {
    enters.push_back(TimeOnce([&] {
      QTest::keyClick(&editor, Qt::Key_Return);
      QApplication::processEvents();
    }));
  }
  Report("Enter (new line) handled and painted", enters);

  ReportOnce("CheckAll after the edits", TimeOnce([&] { checker.Plugin().CheckAll(); }));
  return 0;
}
