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
    SetMessageTitles(TitlePrefix::Unnamed);
  }
};

TEST_F(ErrorReportingTest, FileErrorsOfferRetry) {
  boxes_->Answer(Answer::Retry);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::FileNotFound), true), NextStep::Retry);
  EXPECT_EQ(History(), QStringLiteral("1. Error  53:File not found\r\n"
                                      "2. Error: Error occurred: File not found (53)\r\n"));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: File not found (53)"));
  EXPECT_EQ(boxes_->Last().style, Buttons::RetryCancel);
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Error"));
  boxes_->Answer(Answer::Cancel);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::FileNotFound), true), NextStep::ResumeNext);

  boxes_->Answer(Answer::Retry);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::PrinterError), true), NextStep::Retry);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::DiskFull), true), NextStep::ResumeNext);
}

TEST_F(ErrorReportingTest, OtherErrorsTerminateTheProcedure) {
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::PathNotFound), true), NextStep::Exit);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Path not found (76). Procedure Terminated"));
  EXPECT_EQ(boxes_->Last().style, Buttons::Ok);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::Subscript), true), NextStep::Exit);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::Overflow), true), NextStep::Exit);
}

TEST_F(ErrorReportingTest, WithoutReportingOnlyClassifies) {
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::PathNotFound), false), NextStep::Exit);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::FileNotFound), false), NextStep::ResumeNext);
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::DialogCancel), false), NextStep::ResumeCancelled);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(History().isEmpty());
}

TEST_F(ErrorReportingTest, DialogCancelIsSilent) {
  EXPECT_EQ(ReportError(RuntimeError(ErrorNumber::DialogCancel), true), NextStep::ResumeCancelled);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_EQ(History(), QStringLiteral("1. Cancel was selected.\r\n"));
}

TEST_F(ErrorReportingTest, BeforeAnyTitlesTheBoxIsLoggedAsAMessage) {
  ErrorTitle.clear();
  ReportError(RuntimeError(ErrorNumber::PathNotFound), true);
  EXPECT_TRUE(History().contains(QStringLiteral("2. Message: Error occurred: Path not found (76)")));
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
  // The title holds the application title from then on.
  EXPECT_EQ(ErrorTitle, QStringLiteral("Brantel"));
  ReportError(RuntimeError(ErrorNumber::PathNotFound), true);
  EXPECT_TRUE(History().contains(QStringLiteral("4. Brantel: Error occurred: Path not found (76)")));
}

TEST_F(ErrorReportingTest, RetryRunsTheStatementAgainUntilCancel) {
  int calls = 0;
  boxes_->Answer(Answer::Retry);
  boxes_->Answer(Answer::Retry);
  EXPECT_EQ(RunReported([&] {
              if (++calls < 3) RaiseError(ErrorNumber::DiskNotReady);
            }),
            std::nullopt);
  EXPECT_EQ(calls, 3);

  calls = 0;
  boxes_->Clear();
  boxes_->Answer(Answer::Retry);
  EXPECT_EQ(RunReported([&] {
              ++calls;
              RaiseError(ErrorNumber::DeviceIO);
            }),
            NextStep::ResumeNext);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(boxes_->Shown().size(), 2u);
}

TEST(ErrorMapping, OperatingSystemFailuresGetTheirNumbers) {
  EXPECT_EQ(ErrorFromErrno(ENOENT, FileOp::Read).Number(), ErrorNumber::FileNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOENT, FileOp::List).Number(), ErrorNumber::PathNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOTDIR, FileOp::Read).Number(), ErrorNumber::PathNotFound);
  EXPECT_EQ(ErrorFromErrno(EACCES, FileOp::Write).Number(), ErrorNumber::PermissionDenied);
  EXPECT_EQ(ErrorFromErrno(EROFS, FileOp::Write).Number(), ErrorNumber::PermissionDenied);
  EXPECT_EQ(ErrorFromErrno(ENOSPC, FileOp::Write).Number(), ErrorNumber::DiskFull);
  EXPECT_EQ(ErrorFromErrno(EIO, FileOp::Read).Number(), ErrorNumber::DeviceIO);
  EXPECT_EQ(ErrorFromErrno(EISDIR, FileOp::Write).Number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(ErrorText(ErrorNumber::InputPastEnd), QStringLiteral("Input past end of file"));
  EXPECT_EQ(ErrorText(ErrorNumber::DivisionByZero), QStringLiteral("Division by zero"));
}

TEST_F(ErrorReportingTest, FailedOpensMapToFileAndPathErrors) {
  QFile missing(Home() + QStringLiteral("/missing.BNL"));
  ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
  EXPECT_EQ(ErrorFromFile(missing, FileOp::Read, 0).Number(), ErrorNumber::FileNotFound);
  QFile noFolder(Home() + QStringLiteral("/none/missing.BNL"));
  ASSERT_FALSE(noFolder.open(QIODevice::ReadOnly));
  EXPECT_EQ(ErrorFromFile(noFolder, FileOp::Read, 0).Number(), ErrorNumber::PathNotFound);
}

}  // namespace
}  // namespace brantel
