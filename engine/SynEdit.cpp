#include "engine/SynEdit.h"

#include <algorithm>

namespace qm {

TSynEditPlugin::TSynEditPlugin(TSynEdit& editor) : editor_(editor) { editor_.AddPlugin(this); }

TSynEditPlugin::~TSynEditPlugin() { editor_.RemovePlugin(this); }

void TSynEdit::AddPlugin(TSynEditPlugin* plugin) {
  if (std::find(plugins_.begin(), plugins_.end(), plugin) == plugins_.end()) plugins_.push_back(plugin);
}

void TSynEdit::RemovePlugin(TSynEditPlugin* plugin) {
  plugins_.erase(std::remove(plugins_.begin(), plugins_.end(), plugin), plugins_.end());
}

void TSynEdit::NotifyAfterPaint(const TRect& clip, int firstRow, int lastRow) {
  for (TSynEditPlugin* plugin : plugins_) plugin->AfterPaint(clip, firstRow, lastRow);
}

} // namespace qm
