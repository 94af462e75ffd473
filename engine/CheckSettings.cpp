#include "engine/CheckSettings.h"

#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"

namespace qm {

void ApplyCheckOptions(TSpellCheckPlugin& plugin, const TOptionsList& options) {
  plugin.Scope.Clear();
  plugin.Scope.AddStrings(ReadOptionLines(options, keys::CheckScope));
  plugin.CheckOptions.IgnoreUppercase = ReadOptionBool(options, keys::IgnoreUppercase);
  plugin.CheckOptions.IgnoreMixedcase = ReadOptionBool(options, keys::IgnoreMixedcase);
  plugin.CheckOptions.IgnoreNumbers = ReadOptionBool(options, keys::IgnoreNumbers);
}

} // namespace qm
