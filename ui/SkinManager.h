// The skin manager: the skins the program offers (two built in, more as style
// sheet files "<name>.qss" in the "skins" folder of the data folder), the
// current one, and switching skinning on and off for the whole application.
// While off the application has the platform's plain style, palette and no
// style sheet.
#pragma once

#include "ui/ImageList.h"
#include "ui/Skin.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace qm {

class TSkinManager {
public:
  // Remembers the application's plain look; changes nothing yet. Skinning
  // starts off with the default skin's name.
  TSkinManager();
  // Gives the application its plain look back when skinning is on.
  ~TSkinManager();
  TSkinManager(const TSkinManager&) = delete;
  TSkinManager& operator=(const TSkinManager&) = delete;

  // The built-in skins, then the skin files by name.
  QStringList SkinNames() const;
  // DataFolder() + "skins/".
  static std::string SkinsFolder();

  QString SkinName() const { return current_.Name; }
  // Chooses a skin by name (an unknown name chooses the default skin); while
  // skinning is on it is applied at once between the change events.
  void SetSkinName(const QString& name);

  bool Active() const { return active_; }
  // A change of state is applied at once between the change events.
  void SetActive(bool active);

  // Borders in the skin's border colour around menus, the tool bar and the
  // status bar.
  bool ExtendedBorders() const { return extendedBorders_; }
  void SetExtendedBorders(bool extended);

  // Of the current skin, whether skinning is on or not.
  QColor BorderColor() const { return current_.Border; }
  QColor TextColor() const { return current_.Text; }

  // Run before and after every applied change of skin or state.
  std::function<void()> OnBeforeChange;
  std::function<void()> OnAfterChange;

private:
  TSkin LoadSkin(const QString& name) const;
  QString StyleSheet() const;
  void Apply();
  void ApplyPlain();
  void Change();

  TSkin current_;
  bool active_ = false;
  bool extendedBorders_ = false;
  QString plainStyle_;
  QPalette plainPalette_;
  QString plainSheet_;
};

// The window's reaction to a skin change, as far as colours go: with skinning
// on, the shades from the skin's border colour, the caption colour from its
// text colour, and the templates recoloured into animations; with skinning
// off, the platform colours and the templates copied unchanged. A failure
// keeps the colours that were in use.
void ApplySkinColors(const TSkinManager& skins, const TImageList& templates, TImageList& animations);

} // namespace qm
