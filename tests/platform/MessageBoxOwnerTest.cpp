#include "core/Messages.h"
#include "platform/WidgetMessageBox.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace brantel {
namespace {

class MessageBoxOwner : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    main_.setObjectName(QStringLiteral("main"));
    help_.setObjectName(QStringLiteral("help"));
    platform::SetMainMessageBoxOwner(&main_);
    platform::KeepMessageBoxesAway(help_);
    main_.show();
    help_.show();
  }
  void TearDown() override {
    platform::SetMainMessageBoxOwner(nullptr);
    CoreTest::TearDown();
  }

  static void Activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  // The window a real box stood over, the box closed by the test.
  static QWidget* ParentOfShownBox() {
    QPointer<QWidget> parent;
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      shown = true;
      parent = box->parentWidget();
      box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform::ShowWidgetMessageBox(QStringLiteral("Done"), Buttons::Ok, QStringLiteral("Title")), Answer::Ok);
    EXPECT_TRUE(shown);
    return parent;
  }

  QWidget main_;
  QWidget help_;  // keeps message boxes away, as the help window does
};

TEST_F(MessageBoxOwner, TheActiveWindowOwnsTheBoxUnlessItKeepsBoxesAway) {
  QWidget other;  // a modeless window of the program
  other.show();
  Activate(other);
  EXPECT_EQ(platform::MessageBoxOwner(), &other);
  Activate(main_);
  EXPECT_EQ(platform::MessageBoxOwner(), &main_);

  // The help in front: the box goes to the main window, and so it does from
  // a window that the help window parents.
  Activate(help_);
  EXPECT_EQ(platform::MessageBoxOwner(), &main_);
  EXPECT_EQ(ParentOfShownBox(), &main_);
  QDialog fromHelp(&help_);
  fromHelp.show();
  Activate(fromHelp);
  EXPECT_EQ(platform::MessageBoxOwner(), &main_);
}

TEST_F(MessageBoxOwner, TheModalWindowInFrontOwnsTheBoxWhileTheHelpIsActive) {
  QDialog tool(&main_);
  tool.setModal(true);
  tool.show();
  Activate(tool);
  EXPECT_EQ(platform::MessageBoxOwner(), &tool);
  // The help window follows the modal window, as its transient child, so
  // that it can take the keyboard.
  help_.windowHandle()->setTransientParent(tool.windowHandle());
  Activate(help_);
  EXPECT_EQ(platform::MessageBoxOwner(), &tool);
  EXPECT_EQ(ParentOfShownBox(), &tool);
}

TEST_F(MessageBoxOwner, WithoutAMainWindowABoxBeforeTheHelpStandsAlone) {
  Activate(help_);
  platform::SetMainMessageBoxOwner(nullptr);
  EXPECT_EQ(platform::MessageBoxOwner(), nullptr);
  // The main window goes: it is forgotten.
  auto main = std::make_unique<QWidget>();
  platform::SetMainMessageBoxOwner(main.get());
  EXPECT_EQ(platform::MessageBoxOwner(), main.get());
  main.reset();
  EXPECT_EQ(platform::MessageBoxOwner(), nullptr);
  EXPECT_EQ(ParentOfShownBox(), nullptr);
}

// Each style's buttons, icon and default button on a real box, and what its
// close key (Escape) answers: Cancel where there is one, else the last button.
TEST(WidgetMessageBox, EachStyleShowsItsButtonsAndEscapeAnswersCancelOrTheLast) {
  using B = QMessageBox::StandardButton;
  struct Case {
    BoxStyle style;
    QList<B> buttons;
    B byDefault;
    QMessageBox::Icon icon;
    Answer onEscape;
  };
  const Case cases[] = {
      {Buttons::Ok, {B::Ok}, B::Ok, QMessageBox::NoIcon, Answer::Ok},
      {BoxStyle(Buttons::OkCancel, Icon::Information),
       {B::Ok, B::Cancel},
       B::Ok,
       QMessageBox::Information,
       Answer::Cancel},
      {BoxStyle(Buttons::AbortRetryIgnore, Icon::Critical, DefaultButton::Third),
       {B::Abort, B::Retry, B::Ignore},
       B::Ignore,
       QMessageBox::Critical,
       Answer::Ignore},
      {BoxStyle(Buttons::YesNoCancel, Icon::Warning, DefaultButton::Second),
       {B::Yes, B::No, B::Cancel},
       B::No,
       QMessageBox::Warning,
       Answer::Cancel},
      {BoxStyle(Buttons::YesNo, Icon::Question, DefaultButton::Second),
       {B::Yes, B::No},
       B::No,
       QMessageBox::Question,
       Answer::No},
      {Buttons::RetryCancel, {B::Retry, B::Cancel}, B::Retry, QMessageBox::NoIcon, Answer::Cancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style.buttons));
    QList<B> shown;
    B byDefault = B::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* button : box->buttons()) shown.append(box->standardButton(button));
      if (box->defaultButton()) byDefault = box->standardButton(box->defaultButton());
      icon = box->icon();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(platform::ShowWidgetMessageBox(QStringLiteral("?"), c.style, QStringLiteral("Title")), c.onEscape);
    std::sort(shown.begin(), shown.end());
    QList<B> expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(byDefault, c.byDefault);
    EXPECT_EQ(icon, c.icon);
  }
}

}  // namespace
}  // namespace brantel
