#include "ui/Skin.h"

#include <QRegularExpression>

#include <array>

namespace qm {

namespace {

struct TRoleName {
  const char* Name;
  QPalette::ColorRole Role;
  bool Text;  // a text colour: its disabled form is faded
};

constexpr std::array<TRoleName, 14> kRoles = {{
    {"window", QPalette::Window, false},
    {"window-text", QPalette::WindowText, true},
    {"base", QPalette::Base, false},
    {"alternate-base", QPalette::AlternateBase, false},
    {"text", QPalette::Text, true},
    {"button", QPalette::Button, false},
    {"button-text", QPalette::ButtonText, true},
    {"highlight", QPalette::Highlight, false},
    {"highlighted-text", QPalette::HighlightedText, true},
    {"tooltip-base", QPalette::ToolTipBase, false},
    {"tooltip-text", QPalette::ToolTipText, true},
    {"light", QPalette::Light, false},
    {"mid", QPalette::Mid, false},
    {"dark", QPalette::Dark, false},
}};

QColor Blend(const QColor& a, const QColor& b) {
  return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

void SetRole(QPalette& palette, const TRoleName& role, const QColor& color) {
  palette.setColor(QPalette::Active, role.Role, color);
  palette.setColor(QPalette::Inactive, role.Role, color);
  if (!role.Text) palette.setColor(QPalette::Disabled, role.Role, color);
}

void FadeDisabledText(QPalette& palette) {
  const QColor window = palette.color(QPalette::Active, QPalette::Window);
  for (const TRoleName& role : kRoles) {
    if (role.Text) palette.setColor(QPalette::Disabled, role.Role, Blend(palette.color(QPalette::Active, role.Role), window));
  }
}

} // namespace

TSkin ParseSkin(const QString& name, const QString& sheet, const QPalette& base) {
  TSkin skin{name, base, QColor(), QColor(), sheet};
  static const QRegularExpression annotation(QStringLiteral("@([a-z-]+)\\s*:\\s*(#[0-9A-Fa-f]{6})\\b"));
  bool textRoleSet = false;
  for (auto match = annotation.globalMatch(sheet); match.hasNext();) {
    const auto found = match.next();
    const QString key = found.captured(1);
    const QColor color(found.captured(2));
    if (key == QLatin1String("border")) skin.Border = color;
    if (key == QLatin1String("caption")) skin.Text = color;
    for (const TRoleName& role : kRoles) {
      if (key != QLatin1String(role.Name)) continue;
      SetRole(skin.Palette, role, color);
      textRoleSet = textRoleSet || role.Text;
    }
  }
  if (textRoleSet) FadeDisabledText(skin.Palette);
  if (!skin.Border.isValid()) skin.Border = skin.Palette.color(QPalette::Active, QPalette::Dark);
  if (!skin.Text.isValid()) skin.Text = skin.Palette.color(QPalette::Active, QPalette::WindowText);
  return skin;
}

} // namespace qm
