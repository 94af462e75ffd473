#include "ui/MainWindow.h"

#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(HelpContext, PagesOfTheKnownContextsOnly) {
  const std::pair<int, const char*> cases[] = {
      {10, "/help/quick_start"},          {100, "/help/general_settings"},
      {110, "/help/batch_search_settings"}, {120, "/help/spell_checker_settings"},
      {130, "/help/code_editor_settings"},  {140, "/help/proxy_settings"},
      {150, "/help/automatic_updates_settings"}, {230, "/help/support"},
      {0, ""},                              {999, ""},
  };
  for (const auto& [context, page] : cases) EXPECT_EQ(HelpPageOfContext(context), QString(page)) << context;
}

TEST(HelpContext, AControlWithoutItsOwnTakesItsParents) {
  QWidget page;
  page.setProperty(kHelpContextProperty, 120);
  auto* edit = new QLineEdit(&page);
  auto* own = new QLineEdit(&page);
  own->setProperty(kHelpContextProperty, 140);
  EXPECT_EQ(HelpContextOf(edit), 120);
  EXPECT_EQ(HelpContextOf(own), 140);
  QWidget loose;
  EXPECT_EQ(HelpContextOf(&loose), 0);
}

} // namespace
} // namespace qm
