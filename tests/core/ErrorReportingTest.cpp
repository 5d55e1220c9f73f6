#include "core/ErrorReporting.h"
#include "core/Messages.h"
#include "support/TestEnvironment.h"

#include <QFile>

#include <cerrno>

namespace brantel {
namespace {

using test::CoreTest;

class ErrorReportingTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    MsgTitlePrefixes.fill(QString());
    SetMessageTitles(13);
  }
};

TEST_F(ErrorReportingTest, FileErrorsOfferRetry) {
  boxes_->Answer(answer::kRetry);
  EXPECT_EQ(ReportError(RuntimeError(53), true), kErrRetry);
  EXPECT_EQ(History(), QStringLiteral("1. Error  53:File not found\r\n"
                                      "2. Error: Error occurred: File not found (53)\r\n"));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: File not found (53)"));
  EXPECT_EQ(boxes_->Last().buttons, mb::kRetryCancel);
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Error"));
  boxes_->Answer(answer::kCancel);
  EXPECT_EQ(ReportError(RuntimeError(53), true), kErrContinue);

  boxes_->Answer(answer::kRetry);
  EXPECT_EQ(ReportError(RuntimeError(482), true), kErrRetry);
  EXPECT_EQ(ReportError(RuntimeError(61), true), kErrContinue);
}

TEST_F(ErrorReportingTest, OtherErrorsTerminateTheProcedure) {
  EXPECT_EQ(ReportError(RuntimeError(76), true), kErrTerminated);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Path not found (76). Procedure Terminated"));
  EXPECT_EQ(boxes_->Last().buttons, mb::kOkOnly);
  EXPECT_EQ(ReportError(RuntimeError(9), true), kErrTerminated);
  EXPECT_EQ(ReportError(RuntimeError(6), true), kErrTerminated);
}

TEST_F(ErrorReportingTest, WithoutReportingOnlyClassifies) {
  EXPECT_EQ(ReportError(RuntimeError(76), false), kErrTerminated);
  EXPECT_EQ(ReportError(RuntimeError(53), false), kErrContinue);
  EXPECT_EQ(ReportError(RuntimeError(err::kDialogCancel), false), kErrCancelled);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(History().isEmpty());
}

TEST_F(ErrorReportingTest, DialogCancelIsSilentAndDatabaseErrorsEndTheProcedure) {
  EXPECT_EQ(ReportError(RuntimeError(err::kDialogCancel), true), kErrCancelled);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_EQ(History(), QStringLiteral("1. Cancel was selected.\r\n"));

  EXPECT_EQ(ReportError(RuntimeError(err::kDatabaseCommand), true), kErrDatabase);
  EXPECT_TRUE(History().contains(QStringLiteral("2. Error -2147217900:")));
  EXPECT_TRUE(boxes_->Last().prompt.endsWith(QStringLiteral("(-2147217900). Procedure Terminated")));
}

TEST_F(ErrorReportingTest, BeforeAnyTitlesTheBoxIsLoggedAsAMessage) {
  ErrorTitle.clear();
  ReportError(RuntimeError(76), true);
  EXPECT_TRUE(History().contains(QStringLiteral("2. Message: Error occurred: Path not found (76)")));
  EXPECT_EQ(ErrorTitle, QStringLiteral("Brantel"));
}

TEST_F(ErrorReportingTest, RetryRunsTheStatementAgainUntilCancel) {
  int calls = 0;
  boxes_->Answer(answer::kRetry);
  boxes_->Answer(answer::kRetry);
  EXPECT_EQ(RunReported([&] {
              if (++calls < 3) RaiseError(err::kDiskNotReady);
            }),
            kErrNone);
  EXPECT_EQ(calls, 3);

  calls = 0;
  boxes_->Clear();
  boxes_->Answer(answer::kRetry);
  EXPECT_EQ(RunReported([&] {
              ++calls;
              RaiseError(err::kDeviceIO);
            }),
            kErrContinue);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(boxes_->Shown().size(), 2u);
}

TEST(ErrorMapping, OperatingSystemFailuresGetTheirNumbers) {
  EXPECT_EQ(ErrorFromErrno(ENOENT, FileOp::Read).Number(), err::kFileNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOENT, FileOp::List).Number(), err::kPathNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOTDIR, FileOp::Read).Number(), err::kPathNotFound);
  EXPECT_EQ(ErrorFromErrno(EACCES, FileOp::Write).Number(), err::kPermissionDenied);
  EXPECT_EQ(ErrorFromErrno(EROFS, FileOp::Write).Number(), err::kPermissionDenied);
  EXPECT_EQ(ErrorFromErrno(ENOSPC, FileOp::Write).Number(), err::kDiskFull);
  EXPECT_EQ(ErrorFromErrno(EIO, FileOp::Read).Number(), err::kDeviceIO);
  EXPECT_EQ(ErrorFromErrno(EISDIR, FileOp::Write).Number(), err::kPathFileAccess);
  EXPECT_EQ(ErrorText(err::kInputPastEnd), QStringLiteral("Input past end of file"));
  EXPECT_EQ(ErrorText(err::kDivisionByZero), QStringLiteral("Division by zero"));
}

TEST_F(ErrorReportingTest, FailedOpensMapToFileAndPathErrors) {
  QFile missing(Home() + QStringLiteral("/missing.BNL"));
  ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
  EXPECT_EQ(ErrorFromFile(missing, FileOp::Read, 0).Number(), err::kFileNotFound);
  QFile noFolder(Home() + QStringLiteral("/none/missing.BNL"));
  ASSERT_FALSE(noFolder.open(QIODevice::ReadOnly));
  EXPECT_EQ(ErrorFromFile(noFolder, FileOp::Read, 0).Number(), err::kPathNotFound);
}

}  // namespace
}  // namespace brantel
