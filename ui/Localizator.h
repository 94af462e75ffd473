// The message table: every user-visible message and button caption is looked
// up here by key. The built-in table is filled from the embedded resource
// "STR_MESSAGES" (its whole text is the section "General"); an override table,
// empty unless a translation fills it, is consulted first. The same object can
// gather a form's texts into the built-in table and set them on the form again
// from the override table.
#pragma once

#include "persistence/MultiOptions.h"

#include <QString>

#include <string>

class QObject;
class QWidget;

namespace qm {

class TLocalizator {
public:
  TLocalizator() = default;
  TLocalizator(const TLocalizator&) = delete;
  TLocalizator& operator=(const TLocalizator&) = delete;

  // Replaces the lines of the built-in section "General" by the lines of the
  // text (the raw resource bytes).
  void LoadMessages(const std::string& text);

  // The override's text when it is not empty, else the built-in one; keys are
  // matched ignoring case, the value is unescaped and read as UTF-8 (falling
  // back to Windows-1252). Empty when the key is in neither table.
  QString Message(const std::string& key);

  // With gather set, writes the form's window title, its actions' texts and
  // tool tips, and its named children's text properties into the built-in
  // section named after the form; then sets every such text that has a
  // non-empty override from the override section of that name, if any.
  void LocalizeForm(QWidget* form, bool gather);

  TMultiOptions& BuiltIn() { return builtIn_; }
  TMultiOptions& Overrides() { return overrides_; }

private:
  TMultiOptions builtIn_;
  TMultiOptions overrides_;
};

// The process-wide table: created at start before any window, freed at the
// end. Creating it twice keeps the first one.
void CreateLocalizator();
void FreeLocalizator();
// The table, or none before CreateLocalizator / after FreeLocalizator.
TLocalizator* Localizator();

// The message for key from the process-wide table; empty when there is no
// table, no such key, or the messages were not loaded yet.
QString GetMessage(const std::string& key);

// The bytes of the embedded resource "STR_MESSAGES"; empty when it is missing
// or cannot be read.
std::string ReadMessagesResource();

// The value as the message table stores it, decoded: unescaped, then read as
// UTF-8 (Windows-1252 when that fails).
QString DecodeMessageValue(const std::string& stored);

} // namespace qm
