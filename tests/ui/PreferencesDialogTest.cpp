#include "ui/PreferencesDialog.h"

#include "TempDir.h"
#include "engine/DictionaryRegistry.h"
#include "engine/SpellerLibrary.h"
#include "persistence/DataLocations.h"
#include "persistence/MultiOptions.h"
#include "persistence/OptionEscaping.h"
#include "persistence/OptionKeys.h"
#include "persistence/OptionsStore.h"
#include "persistence/SettingsModule.h"
#include "ui/Localizator.h"
#include "ui/SkinManager.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

// A data folder with the en_US and user dictionaries, the settings, the
// message table and the dictionary registry.
class PreferencesDialogTest : public testing::Test {
protected:
  void SetUp() override {
    const fs::path data = fs::path(QM_TESTS_DIR).parent_path() / "data";
    fs::copy_file("/usr/share/hunspell/en_US.aff", dir_.File("en_US.aff"));
    fs::copy_file("/usr/share/hunspell/en_US.dic", dir_.File("en_US.dic"));
    for (const char* name : {"user.aff", "user.dic", "dictionaries.info"}) fs::copy_file(data / name, dir_.File(name));
    SetDataFolder(dir_.Path().string());
    LoadDictionaryDescriptions();
    Options().Clear();
    LoadOptions(Options(), ConfigFile());
    CreateLocalizator();
    Localizator()->LoadMessages(ReadMessagesResource());
    LoadSpellerLibrary();
    LoadDictionaries(DictionariesFile(), DataFolder());
  }
  void TearDown() override {
    ReleaseDictionaries();
    UnloadSpellerLibrary();
    FreeLocalizator();
    Options().Clear();
    SetDataFolder("");
  }

  // Runs the dialog on page; act works on it while it is shown, then OK or
  // Cancel closes it.
  int Run(int page, const std::function<void(TDlgPreferences&)>& act, bool ok = true) {
    TDlgPreferences dialog(skins_, [this] { ++skinsOffCalls_; });
    QTimer::singleShot(0, [&] {
      if (act) act(dialog);
      (ok ? dialog.btnOk : dialog.btnCancel)->click();
    });
    return dialog.Run(page);
  }

  static int RowOf(const QListWidget* list, const QString& section) {
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->data(TDlgPreferences::kSectionRole).toString() == section) return i;
    return -1;
  }

  test::TempDir dir_;
  TSkinManager skins_;
  int skinsOffCalls_ = 0;
};

TEST_F(PreferencesDialogTest, EveryControlLoadsFromAndStoresToItsKey) {
  const std::pair<const char*, std::function<QCheckBox*(TDlgPreferences&)>> boxes[] = {
      {keys::ShowHints, [](TDlgPreferences& d) { return d.cbShowHints; }},
      {keys::ExtendedBorders, [](TDlgPreferences& d) { return d.cbExtendedBorders; }},
      {keys::SkipLargeFiles, [](TDlgPreferences& d) { return d.cbMaxFileSize; }},
      {keys::IgnoreUppercase, [](TDlgPreferences& d) { return d.cbIgnoreUpperCase; }},
      {keys::IgnoreMixedcase, [](TDlgPreferences& d) { return d.cbIgnoreMixedCase; }},
      {keys::IgnoreNumbers, [](TDlgPreferences& d) { return d.cbIgnoreNumbers; }},
  };
  for (const auto& [key, box] : boxes) {
    for (const bool value : {true, false}) {
      WriteOptionBool(Options(), key, value);
      bool loaded = !value;
      ASSERT_EQ(Run(0, [&](TDlgPreferences& d) {
                  loaded = box(d)->isChecked();
                  box(d)->setChecked(!value);
                }),
                QDialog::Accepted);
      EXPECT_EQ(loaded, value) << key;
      EXPECT_EQ(ReadOptionBool(Options(), key), !value) << key;
    }
  }

  WriteOptionString(Options(), keys::MaxFileSize, "junk");
  WriteOptionString(Options(), keys::ProxyPort, "junk");
  WriteOptionBool(Options(), keys::UseProxy, true);
  WriteOptionString(Options(), keys::ProxyHost, "proxy.local");
  WriteOptionString(Options(), keys::ProxyUser, "me");
  WriteOptionString(Options(), keys::ProxyPass, ScrambleText("secret"));
  int size = 0, port = 0;
  bool proxy = false;
  QString host, user, pass;
  Run(3, [&](TDlgPreferences& d) {
    size = d.seMaxFileSize->value();
    port = d.editProxyPort->value();
    proxy = d.rbProxyConnection->isChecked();
    host = d.editProxyHost->text();
    user = d.editProxyUser->text();
    pass = d.editProxyPass->text();
    d.seMaxFileSize->setValue(77);
    d.editProxyPort->setValue(8080);
    d.rbDirectConnection->setChecked(true);
    d.editProxyPass->setText("other");
  });
  EXPECT_EQ(size, 1024);
  EXPECT_EQ(port, 3128);
  EXPECT_TRUE(proxy);
  EXPECT_EQ(host, "proxy.local");
  EXPECT_EQ(user, "me");
  EXPECT_EQ(pass, "secret");
  EXPECT_EQ(ReadOptionString(Options(), keys::MaxFileSize), "77");
  EXPECT_EQ(ReadOptionString(Options(), keys::ProxyPort), "8080");
  EXPECT_FALSE(ReadOptionBool(Options(), keys::UseProxy));
  EXPECT_EQ(ReadOptionString(Options(), keys::ProxyHost), "proxy.local");
  EXPECT_EQ(UnscrambleText(ReadOptionString(Options(), keys::ProxyPass)), "other");
}

TEST_F(PreferencesDialogTest, CheckScopeIsStoredAsThePlaceholderAndTheCheckedItems) {
  WriteOptionString(Options(), keys::CheckScope, "--\r\nComment\r\nText\r\nBogus\r\n");
  QStringList checked;
  Run(1, [&](TDlgPreferences& d) {
    for (int i = 0; i < d.clbCheckScope->count(); ++i)
      if (d.clbCheckScope->item(i)->checkState() == Qt::Checked) checked << d.clbCheckScope->item(i)->text();
    d.clbCheckScope->item(0)->setCheckState(Qt::Checked);
  });
  EXPECT_EQ(checked, (QStringList{"Comment", "Text"}));
  EXPECT_EQ(ReadOptionString(Options(), keys::CheckScope), "--\r\nDocumentation\r\nComment\r\nText\r\n");

  Run(1, [&](TDlgPreferences& d) {
    for (int i = 0; i < d.clbCheckScope->count(); ++i) d.clbCheckScope->item(i)->setCheckState(Qt::Unchecked);
  });
  EXPECT_EQ(ReadOptionString(Options(), keys::CheckScope), "--\r\n");
}

TEST_F(PreferencesDialogTest, MovingEnUsAboveUserReordersTheRegistryFile) {
  TMultiOptions& registry = *DictionaryRegistry();
  ASSERT_NE(registry.FindSection("en_us"), nullptr);
  ASSERT_NE(registry.FindSection("user"), nullptr);
  for (int i = 0; i < registry.Count(); ++i)
    if (registry.SectionAt(i)->SectionName == "en_us") registry.Move(i, registry.Count() - 1);
  QString rowText;
  bool upEnabledOnFirst = true;
  Run(2, [&](TDlgPreferences& d) {
    const int userRow = RowOf(d.clbDictionaries, "user");
    d.clbDictionaries->setCurrentRow(0);
    upEnabledOnFirst = d.actMoveUp->isEnabled();
    const int row = RowOf(d.clbDictionaries, "en_us");
    rowText = d.clbDictionaries->item(row)->text();
    d.clbDictionaries->setCurrentRow(row);
    while (RowOf(d.clbDictionaries, "en_us") > userRow) d.actMoveUp->trigger();
  });
  EXPECT_FALSE(upEnabledOnFirst);
  EXPECT_TRUE(rowText.endsWith(" (en_us)")) << rowText.toStdString();
  TMultiOptions stored;
  stored.LoadFromFile(DictionariesFile());
  int en = -1, user = -1;
  for (int i = 0; i < stored.Count(); ++i) {
    if (stored.SectionAt(i)->SectionName == "en_us") en = i;
    if (stored.SectionAt(i)->SectionName == "user") user = i;
  }
  EXPECT_LT(en, user);
}

TEST_F(PreferencesDialogTest, APreviewedSkinIsRevertedOnCancel) {
  const QString before = skins_.SkinName();
  QString previewed;
  Run(0, [&](TDlgPreferences& d) {
    ASSERT_GT(d.cbSkinList->count(), 1);
    d.cbSkinList->setCurrentIndex(d.cbSkinList->currentIndex() == 0 ? 1 : 0);
    previewed = skins_.SkinName();
  }, false);
  EXPECT_NE(previewed, before);
  EXPECT_EQ(skins_.SkinName(), before);
}

TEST_F(PreferencesDialogTest, PageDescriptionFollowsThePage) {
  for (int page : {0, 1, 2, 3, 7}) {
    QString description;
    int shown = -1;
    Run(page, [&](TDlgPreferences& d) {
      description = d.lDescription->text();
      shown = d.PageControl->currentIndex();
    }, false);
    const int expected = page == 7 ? 0 : page;
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(description, GetMessage(TDlgPreferences::PageDescriptionKeys[expected]));
  }
}

} // namespace
} // namespace qm
