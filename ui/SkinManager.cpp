#include "ui/SkinManager.h"

#include "persistence/DataLocations.h"
#include "persistence/OptionKeys.h"
#include "platform/StringList.h"
#include "ui/BuiltinSkins.h"
#include "ui/SkinColors.h"
#include "ui/SkinStyle.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStyle>
#include <QStyleFactory>

#include <exception>
#include <memory>

namespace qm {

namespace {

const char* const kSkinExtension = ".qss";

QPalette FusionPalette() {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  return fusion ? fusion->standardPalette() : QApplication::palette();
}

const TBuiltinSkin* FindBuiltinSkin(const QString& name) {
  for (const TBuiltinSkin& skin : BuiltinSkins()) {
    if (name == QLatin1String(skin.Name)) return &skin;
  }
  return nullptr;
}

// A skin file's name must stay inside the skins folder.
bool IsFileSkinName(const QString& name) {
  return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
         name != QLatin1String("..");
}

QString SkinFilePath(const QString& name) {
  return QString::fromStdString(TSkinManager::SkinsFolder()) + name + QLatin1String(kSkinExtension);
}

// Borders in the skin's border colour around menus, the tool bar and the
// status bar.
QString ExtendedBordersSheet(const QColor& border) {
  const QString color = border.name();
  return QStringLiteral("\nQToolBar { border-bottom: 1px solid %1; }\n"
                        "QStatusBar { border-top: 1px solid %1; }\n"
                        "QMenu { border: 1px solid %1; }\n")
      .arg(color);
}

} // namespace

TSkinManager::TSkinManager()
    : plainStyle_(QApplication::style()->name()), plainPalette_(QApplication::palette()),
      plainSheet_(qApp->styleSheet()) {
  current_ = LoadSkin(QString::fromLatin1(keys::DefaultSkin));
}

TSkinManager::~TSkinManager() {
  if (active_) ApplyPlain();
}

std::string TSkinManager::SkinsFolder() { return DataFolder() + "skins/"; }

QStringList TSkinManager::SkinNames() const {
  QStringList names;
  for (const TBuiltinSkin& skin : BuiltinSkins()) names.append(QString::fromLatin1(skin.Name));
  TStringList files;
  FindFiles(SkinsFolder() + "*" + kSkinExtension, files);
  for (const std::string& path : files.Lines()) {
    const QString name = QFileInfo(QString::fromStdString(path)).completeBaseName();
    if (!names.contains(name)) names.append(name);
  }
  return names;
}

TSkin TSkinManager::LoadSkin(const QString& name) const {
  if (const TBuiltinSkin* skin = FindBuiltinSkin(name)) {
    return ParseSkin(name, QString::fromLatin1(skin->StyleSheet), FusionPalette());
  }
  if (IsFileSkinName(name)) {
    QFile file(SkinFilePath(name));
    if (file.open(QIODevice::ReadOnly)) return ParseSkin(name, QString::fromUtf8(file.readAll()), FusionPalette());
  }
  const QString fallback = QString::fromLatin1(keys::DefaultSkin);
  return ParseSkin(fallback, QString::fromLatin1(FindBuiltinSkin(fallback)->StyleSheet), FusionPalette());
}

void TSkinManager::SetSkinName(const QString& name) {
  current_ = LoadSkin(name);
  if (active_) Change();
}

void TSkinManager::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  Change();
}

void TSkinManager::SetExtendedBorders(bool extended) {
  extendedBorders_ = extended;
  if (active_) qApp->setStyleSheet(StyleSheet());
}

QString TSkinManager::StyleSheet() const {
  return extendedBorders_ ? current_.StyleSheet + ExtendedBordersSheet(current_.Border) : current_.StyleSheet;
}

void TSkinManager::Apply() {
  const TShades shades = ComputeShades(current_.Border);
  QApplication::setStyle(new TSkinStyle(shades.Light, shades.Dark, current_.Text));
  QApplication::setPalette(current_.Palette);
  qApp->setStyleSheet(StyleSheet());
}

void TSkinManager::ApplyPlain() {
  QStyle* plain = QStyleFactory::create(plainStyle_);
  QApplication::setStyle(plain ? plain : QStyleFactory::create(QStringLiteral("Fusion")));
  qApp->setStyleSheet(plainSheet_);
  QApplication::setPalette(plainPalette_);
}

void TSkinManager::Change() {
  if (OnBeforeChange) OnBeforeChange();
  if (active_) {
    Apply();
  } else {
    ApplyPlain();
  }
  if (OnAfterChange) OnAfterChange();
}

void ApplySkinColors(const TSkinManager& skins, const TImageList& templates, TImageList& animations) {
  try {
    TSkinColors colors;
    TImageList result(templates.Width(), templates.Height());
    if (skins.Active()) {
      const TShades shades = ComputeShades(skins.BorderColor());
      colors = {shades.Light, shades.Dark, skins.TextColor()};
      RecolorAnimationImages(templates, result, shades.Light, shades.Dark);
    } else {
      colors = PlatformSkinColors();
      result = templates;
    }
    SkinColors() = colors;
    animations = result;
  } catch (const std::exception&) {
    // The colours in use stay.
  }
}

} // namespace qm
