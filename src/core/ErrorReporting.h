#pragma once

#include "core/RuntimeError.h"

#include <QtGlobal>

#include <new>
#include <utility>

namespace brantel {

// What the caller's error handler does next.
inline constexpr int kErrRetry = 0;       // run the failed statement again
inline constexpr int kErrContinue = 1;    // go on with the next statement
inline constexpr int kErrCancelled = 2;   // set the cancel flag, go on
inline constexpr int kErrTerminated = 3;  // leave the procedure
inline constexpr int kErrDatabase = 6;    // leave the procedure
inline constexpr int kErrNone = -1;       // RunReported: the statement succeeded

// Sorts a run-time error into its class, and with report on logs it to the
// history and shows its message box (Retry and Cancel for printer, device
// and file errors; "Procedure Terminated" for the rest; nothing for the
// cancel of a common dialog). Returns what the handler does next.
int ReportError(const RuntimeError& error, bool report);

// The history line of a run-time error that a calculation traps and goes
// on after: the error's number, a blank and its description.
void LogRuntimeError(const RuntimeError& error);

// The class of an error number: 0 printer, 1 retryable device and file
// errors, 2 invalid call/overflow/memory, 3 file-name and path errors,
// 4 others, 5 dialog cancel, 6 database.
int ErrorClass(qint32 number);

// Runs a statement under the error handler's rules: a RuntimeError (or a
// failed allocation) goes to ReportError; Retry runs the statement again.
// `onFailure` runs after each failure, before the error is reported (to put
// the pointer back or drop a half-done job). Returns kErrNone when the
// statement succeeded, or ReportError's answer.
template <typename Statement, typename OnFailure>
int RunReported(Statement&& statement, OnFailure&& onFailure) {
  for (;;) {
    int result = kErrNone;
    try {
      statement();
      return kErrNone;
    } catch (const RuntimeError& e) {
      onFailure();
      result = ReportError(e, true);
    } catch (const std::bad_alloc&) {
      onFailure();
      result = ReportError(RuntimeError(err::kOutOfMemory), true);
    }
    if (result != kErrRetry) return result;
  }
}

template <typename Statement>
int RunReported(Statement&& statement) {
  return RunReported(std::forward<Statement>(statement), [] {});
}

}  // namespace brantel
