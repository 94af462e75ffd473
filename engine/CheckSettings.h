// Copies the user's check settings into the word scanner before a full
// check: the scope (attribute names, first line the "--" placeholder) and the
// three ignore rules. The window and the command-line checker share it.
#pragma once

#include "engine/SpellCheckPlugin.h"
#include "persistence/OptionsList.h"

namespace qm {

void ApplyCheckOptions(TSpellCheckPlugin& plugin, const TOptionsList& options);

} // namespace qm
