#include "ui/Localizator.h"

#include "persistence/OptionsStore.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

// A component with a list-of-lines text, as some controls have.
class TLinesHolder : public QObject {
  Q_OBJECT
  Q_PROPERTY(QStringList lines READ lines WRITE setLines)

public:
  using QObject::QObject;
  QStringList lines() const { return lines_; }
  void setLines(const QStringList& lines) { lines_ = lines; }

private:
  QStringList lines_;
};

namespace qm {
namespace {

std::string ShippedMessages() {
  std::ifstream in(std::string(QM_TESTS_DIR) + "/../resources/messages.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MessagesTest : public testing::Test {
protected:
  void SetUp() override { table.LoadMessages(ReadMessagesResource()); }
  TLocalizator table;
};

TEST_F(MessagesTest, TheEmbeddedResourceIsTheShippedTextEndingWithoutLineBreak) {
  const std::string text = ReadMessagesResource();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text, ShippedMessages());
  EXPECT_EQ(text.substr(text.size() - 20), "This file is too big");
  EXPECT_EQ(text.find('['), std::string::npos) << "the whole text is one section";
}

TEST_F(MessagesTest, EveryKeyGivesItsExactText) {
  const std::pair<const char*, const char16_t*> messages[] = {
      {"msgInfoDialogCaption", u"Information"},
      {"msgErrorDialogCaption", u"Error"},
      {"msgConfirmDialogCaption", u"Confirm"},
      {"Yes", u"Yes"},
      {"YesToAll", u"Yes To All"},
      {"No", u"No"},
      {"OK", u"OK"},
      {"Cancel", u"Cancel"},
      {"Save", u"Save"},
      {"Discard", u"Discard"},
      {"Continue", u"Continue"},
      {"msgAbout", u"About"},
      {"msgAboutVersion", u"Version: %s (Build %s)"},
      {"msgEmptyBugDescription", u"Please enter the message text"},
      {"capPrefGeneral", u"Configure the program's view and appearance."},
      {"capPrefChecker", u"Configure the spell checker settings."},
      {"capPrefDictionaries", u"Specify the dictionaries that QuillonMini should use to check the spelling."},
      {"capPrefInternet", u"Configure how QuillonMini connects to the Internet. These settings will be used by "
                          u"the \"Send Feedback\" feature."},
      {"msgFindText", u"Find Text"},
      {"msgStringNotFound", u"Search string \"%s\" not found"},
      {"msgConfirmReplace", u"Confirm Replace"},
      {"msgReplaceOccurence", u"Replace this occurrence of \"%s\"?"},
      {"msgHintFeedback", u"Sending the feedback messages. Right-click this icon for the additional options..."},
      {"msgFileModified", u"This file has been modified. Do you wish to save it?"},
      {"msgFeedbackComplete", u"Thank you! Your message has been sent"},
      {"msgFeedbackFailed", u"Error sending the message. Please check the connection settings and try again"},
      {"msgFileIsTooBig", u"This file is too big"},
  };
  for (const auto& [key, text] : messages) EXPECT_EQ(table.Message(key), QString::fromUtf16(text)) << key;
}

TEST_F(MessagesTest, KeysIgnoreCaseAndUnknownOrCommentKeysGiveEmpty) {
  EXPECT_EQ(table.Message("msgfilemodified"), table.Message("msgFileModified"));
  EXPECT_EQ(table.Message("MSGABOUT"), QString("About"));
  for (const char* key : {"msgNoSuchKey", "", "// Dialog captions", "Dialog captions", "General"}) {
    EXPECT_TRUE(table.Message(key).isEmpty()) << key;
  }
}

TEST(LoadMessagesTest, ValuesAreUnescapedAndReadAsUtf8) {
  TLocalizator table;
  table.LoadMessages("two=first%0D%0Asecond\r\n"
                     "percent=100%\r\n"
                     "literal=50%25 and %s and %zz\r\n"
                     "spaces= padded \r\n"
                     "utf8=caf%C3%A9\r\n"
                     "ansi=caf%E9\r\n"
                     "dup=first\r\n"
                     "DUP=second\r\n"
                     "empty=\r\n"
                     "equals=a=b\r\n"
                     "last=no line break");
  const std::pair<const char*, QString> cases[] = {
      {"two", "first\r\nsecond"},
      {"percent", "100%"},
      {"literal", "50% and %s and %zz"},
      {"spaces", " padded "},
      {"utf8", QString::fromUtf8("caf\xC3\xA9")},
      {"ansi", QString::fromUtf8("caf\xC3\xA9")},
      {"dup", "second"},
      {"empty", ""},
      {"equals", "a=b"},
      {"last", "no line break"},
  };
  for (const auto& [key, text] : cases) EXPECT_EQ(table.Message(key), text) << key;
}

TEST(LoadMessagesTest, LookupsBeforeLoadingOrWithoutTableAreEmptyAndReloadReplacesTheLines) {
  FreeLocalizator();
  EXPECT_TRUE(GetMessage("OK").isEmpty());
  CreateLocalizator();
  EXPECT_TRUE(GetMessage("OK").isEmpty());
  Localizator()->LoadMessages("OK=Fine\r\nGone=here");
  EXPECT_EQ(GetMessage("OK"), QString("Fine"));
  Localizator()->LoadMessages("OK=Right");
  EXPECT_EQ(GetMessage("OK"), QString("Right"));
  EXPECT_TRUE(GetMessage("Gone").isEmpty());
  EXPECT_EQ(Localizator()->BuiltIn().Count(), 1);
  FreeLocalizator();
  EXPECT_TRUE(GetMessage("OK").isEmpty());
}

TEST(LoadMessagesTest, AnOverrideWinsUnlessItIsEmpty) {
  TLocalizator table;
  table.LoadMessages("OK=OK\r\nCancel=Cancel");
  TOptionsList* general = table.Overrides().GetSection("General");
  general->Add("ok=D'accord");
  general->Add("Cancel=");
  EXPECT_EQ(table.Message("OK"), QString("D'accord"));
  EXPECT_EQ(table.Message("Cancel"), QString("Cancel"));
}

// A small form: a label, an action, an unnamed label, a combo box and a
// holder of lines.
class LocalizeFormTest : public testing::Test {
protected:
  LocalizeFormTest() {
    form.setObjectName("dlgFeedback");
    form.setWindowTitle("Send Feedback");
    label = new QLabel("Your message:", &form);
    label->setObjectName("lMessage");
    action = new QAction("Send", &form);
    action->setObjectName("actSend");
    action->setToolTip("Send the message");
    new QLabel("unnamed", &form);
    combo = new QComboBox(&form);
    combo->setObjectName("cbKind");
    combo->addItems({"Bug", "Idea"});
    combo->setCurrentIndex(1);
    holder = new TLinesHolder(&form);
    holder->setObjectName("Holder");
    holder->setLines({"one", "two"});
  }

  TOptionsList& Overrides() { return *table.Overrides().GetSection("dlgFeedback"); }

  TLocalizator table;
  QWidget form;
  QLabel* label;
  QAction* action;
  QComboBox* combo;
  TLinesHolder* holder;
};

TEST_F(LocalizeFormTest, GatheringWritesTheFormsTextsAndChangesNothing) {
  table.LocalizeForm(&form, true);
  TOptionsList* gathered = table.BuiltIn().FindSection("dlgFeedback");
  ASSERT_NE(gathered, nullptr);
  EXPECT_EQ(ReadOptionString(*gathered, "Caption"), "Send Feedback");
  EXPECT_EQ(ReadOptionString(*gathered, "actSend.Caption"), "Send");
  EXPECT_EQ(ReadOptionString(*gathered, "actSend.Hint"), "Send the message");
  EXPECT_EQ(ReadOptionString(*gathered, "lMessage.text"), "Your message:");
  EXPECT_EQ(ReadOptionString(*gathered, "Holder.lines"), "one\r\ntwo\r\n");
  EXPECT_EQ(gathered->IndexOfName("lMessage.objectName"), -1);
  EXPECT_EQ(gathered->IndexOfName("lMessage.toolTip"), -1) << "empty texts leave no line";
  EXPECT_EQ(form.windowTitle(), QString("Send Feedback"));
  EXPECT_EQ(label->text(), QString("Your message:"));
  EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(LocalizeFormTest, OverridesReplaceNonEmptyTexts) {
  WriteOptionString(Overrides(), "Caption", "Envoyer");
  WriteOptionString(Overrides(), "actSend.Caption", "Envoyer");
  WriteOptionString(Overrides(), "actSend.Hint", "");
  WriteOptionString(Overrides(), "lMessage.text", "Votre message\xC2\xA0:");
  WriteOptionString(Overrides(), "lMessage.toolTip", "not set: the label has no tool tip");
  WriteOptionString(Overrides(), "cbKind.currentText", "Bug");
  table.LocalizeForm(&form, false);
  EXPECT_EQ(form.windowTitle(), QString("Envoyer"));
  EXPECT_EQ(action->text(), QString("Envoyer"));
  EXPECT_EQ(action->toolTip(), QString("Send the message"));
  EXPECT_EQ(label->text(), QString::fromUtf8("Votre message\xC2\xA0:"));
  EXPECT_TRUE(label->toolTip().isEmpty());
  EXPECT_EQ(combo->currentIndex(), 1) << "the selection is kept";
  EXPECT_EQ(table.BuiltIn().FindSection("dlgFeedback")->Count(), 0) << "without gather nothing is written";
}

TEST_F(LocalizeFormTest, ALinesOverrideNeedsTheSameNumberOfLines) {
  WriteOptionString(Overrides(), "Holder.lines", "un\r\ndeux\r\ntrois");
  table.LocalizeForm(&form, false);
  EXPECT_EQ(holder->lines(), QStringList({"one", "two"}));
  WriteOptionString(Overrides(), "Holder.lines", "un\r\ndeux\r\n  ");
  table.LocalizeForm(&form, false);
  EXPECT_EQ(holder->lines(), QStringList({"un", "deux"}));
}

TEST_F(LocalizeFormTest, NoFormOrNoOverrideSectionDoesNothing) {
  table.LocalizeForm(nullptr, true);
  EXPECT_EQ(table.BuiltIn().Count(), 0);
  table.LocalizeForm(&form, false);
  EXPECT_EQ(table.Overrides().FindSection("dlgFeedback"), nullptr) << "looked up, never created";
  EXPECT_EQ(form.windowTitle(), QString("Send Feedback"));
}

} // namespace
} // namespace qm

#include "MessagesTest.moc"
