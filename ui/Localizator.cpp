#include "ui/Localizator.h"

#include "persistence/OptionEscaping.h"
#include "persistence/OptionsStore.h"
#include "persistence/Utf8Text.h"

#include <QAction>
#include <QFile>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <array>
#include <memory>

namespace qm {

namespace {

const char* const kGeneral = "General";
const char* const kCaption = "Caption";

// Objects that belong to the look of the window rather than to its texts.
constexpr std::array<const char*, 1> kSkippedClasses = {"qm::TBalloonHint"};

std::unique_ptr<TLocalizator>& Instance() {
  static std::unique_ptr<TLocalizator> instance;
  return instance;
}

std::string ToStored(const QString& text) { return EncodeUtf8Text(text.toStdU16String()); }

QString Override(TOptionsList& section, const std::string& key) {
  return DecodeMessageValue(section.Value(key));
}

bool IsSkipped(const QObject& object) {
  const std::string className = object.metaObject()->className();
  for (const char* skipped : kSkippedClasses) {
    if (className == skipped) return true;
  }
  return false;
}

// A child whose texts are gathered and overridden: named by the program (Qt's
// own helpers are named "qt_..."), and neither an action nor skipped.
bool IsTextComponent(const QObject& object) {
  const QString name = object.objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !qobject_cast<const QAction*>(&object) &&
         !IsSkipped(object);
}

enum class TextKind { None, Text, Lines };

TextKind KindOf(const QMetaProperty& property) {
  if (!property.isReadable() || !property.isWritable() || !property.isStored()) return TextKind::None;
  if (qstrcmp(property.name(), "objectName") == 0) return TextKind::None;
  const int type = property.metaType().id();
  if (type == QMetaType::QString) return TextKind::Text;
  if (type == QMetaType::QStringList) return TextKind::Lines;
  return TextKind::None;
}

// A string list as one text: every line followed by CR LF.
QString JoinLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1String("\r\n");
  return text;
}

std::string PropertyKey(const QObject& object, const char* property) {
  return object.objectName().toStdString() + "." + property;
}

void WriteIfNotEmpty(TOptionsList& section, const std::string& key, const QString& text) {
  if (!text.isEmpty()) WriteOptionString(section, key, ToStored(text));
}

void GatherComponent(const QObject& object, TOptionsList& section) {
  const QMetaObject* meta = object.metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    const TextKind kind = KindOf(property);
    if (kind == TextKind::None) continue;
    const QVariant value = property.read(&object);
    const QString text = kind == TextKind::Text ? value.toString() : JoinLines(value.toStringList());
    WriteIfNotEmpty(section, PropertyKey(object, property.name()), text);
  }
}

void GatherForm(QWidget& form, TOptionsList& section) {
  WriteIfNotEmpty(section, kCaption, form.windowTitle());
  const QList<QObject*> children = form.findChildren<QObject*>();
  for (QObject* child : children) {
    if (auto* action = qobject_cast<QAction*>(child)) {
      if (action->objectName().isEmpty()) continue;
      WriteIfNotEmpty(section, PropertyKey(*action, "Caption"), action->text());
      WriteIfNotEmpty(section, PropertyKey(*action, "Hint"), action->toolTip());
    }
  }
  for (QObject* child : children) {
    if (IsTextComponent(*child)) GatherComponent(*child, section);
  }
}

// Lines of an override for a string list: carriage returns plus one, after
// trailing white space is cut off.
int OverrideLineCount(const QString& text) {
  QString trimmed = text;
  while (!trimmed.isEmpty() && trimmed.back().isSpace()) trimmed.chop(1);
  return static_cast<int>(trimmed.count(QLatin1Char('\r'))) + 1;
}

void ApplyTextOverride(QObject& object, const QMetaProperty& property, const QString& override) {
  if (override.isEmpty() || property.read(&object).toString().isEmpty()) return;
  property.write(&object, override);
}

void ApplyLinesOverride(QObject& object, const QMetaProperty& property, const QString& override) {
  const QStringList current = property.read(&object).toStringList();
  if (current.isEmpty() || OverrideLineCount(override) != current.size()) return;
  QString trimmed = override;
  while (!trimmed.isEmpty() && trimmed.back().isSpace()) trimmed.chop(1);
  property.write(&object, trimmed.split(QLatin1String("\r\n")));
}

void ApplyComponentOverrides(QObject& object, TOptionsList& section) {
  // Setting the lines of a list may move its selection: keep it.
  const QVariant itemIndex = object.property("currentIndex");
  const QMetaObject* meta = object.metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    const TextKind kind = KindOf(property);
    if (kind == TextKind::None) continue;
    const QString override = Override(section, PropertyKey(object, property.name()));
    if (kind == TextKind::Text) {
      ApplyTextOverride(object, property, override);
    } else {
      ApplyLinesOverride(object, property, override);
    }
  }
  if (itemIndex.isValid()) object.setProperty("currentIndex", itemIndex);
}

void ApplyFormOverrides(QWidget& form, TOptionsList& section) {
  const QString caption = Override(section, kCaption);
  if (!caption.isEmpty()) form.setWindowTitle(caption);
  const QList<QObject*> children = form.findChildren<QObject*>();
  for (QObject* child : children) {
    auto* action = qobject_cast<QAction*>(child);
    if (!action || action->objectName().isEmpty()) continue;
    const QString text = Override(section, PropertyKey(*action, "Caption"));
    if (!action->text().isEmpty() && !text.isEmpty()) action->setText(text);
    const QString hint = Override(section, PropertyKey(*action, "Hint"));
    if (!action->toolTip().isEmpty() && !hint.isEmpty()) action->setToolTip(hint);
  }
  for (QObject* child : children) {
    if (IsTextComponent(*child)) ApplyComponentOverrides(*child, section);
  }
}

} // namespace

QString DecodeMessageValue(const std::string& stored) {
  return QString::fromStdU16String(DecodeUtf8Text(UnescapeOptionValue(stored)));
}

void TLocalizator::LoadMessages(const std::string& text) {
  builtIn_.GetSection(kGeneral)->SetText(text);
}

QString TLocalizator::Message(const std::string& key) {
  QString result;
  if (TOptionsList* section = overrides_.FindSection(kGeneral)) result = DecodeMessageValue(section->Value(key));
  if (result.isEmpty()) {
    if (TOptionsList* section = builtIn_.FindSection(kGeneral)) result = DecodeMessageValue(section->Value(key));
  }
  return result;
}

void TLocalizator::LocalizeForm(QWidget* form, bool gather) {
  if (!form) return;
  const std::string name = form->objectName().toStdString();
  TOptionsList* builtIn = builtIn_.GetSection(name);
  if (gather) GatherForm(*form, *builtIn);
  if (TOptionsList* overrides = overrides_.FindSection(name)) ApplyFormOverrides(*form, *overrides);
}

void CreateLocalizator() {
  if (!Instance()) Instance() = std::make_unique<TLocalizator>();
}

void FreeLocalizator() { Instance().reset(); }

TLocalizator* Localizator() { return Instance().get(); }

QString GetMessage(const std::string& key) {
  TLocalizator* localizator = Localizator();
  return localizator ? localizator->Message(key) : QString();
}

std::string ReadMessagesResource() {
  QFile file(QStringLiteral(":/STR_MESSAGES"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace qm
