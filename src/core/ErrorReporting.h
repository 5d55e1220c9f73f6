#pragma once

#include "core/RuntimeError.h"

#include <QtGlobal>

#include <new>
#include <optional>
#include <utility>

namespace brantel {

// What the caller's error handler does next.
enum class NextStep {
  Retry,            // run the failed statement again
  ResumeNext,       // go on with the next statement
  ResumeCancelled,  // a dialog was cancelled: set the cancel flag, go on
  Exit,             // leave the procedure
};

// Sorts a run-time error, and with report on logs it to the history and
// shows its message box (Retry and Cancel for printer, device and file
// errors the user can put right; "Procedure Terminated" for the rest;
// nothing for the cancel of a common dialog). Returns what the handler does
// next.
NextStep ReportError(const RuntimeError& error, bool report);

// The history line of a run-time error that a calculation traps and goes
// on after: the error's number, a blank and its description.
void LogRuntimeError(const RuntimeError& error);

// Runs a statement under the error handler's rules: a RuntimeError (or a
// failed allocation) goes to ReportError; Retry runs the statement again.
// `onFailure` runs after each failure, before the error is reported (to put
// the pointer back or drop a half-done job). Returns nothing when the
// statement succeeded, else ReportError's answer (never Retry).
template <typename Statement, typename OnFailure>
std::optional<NextStep> RunReported(Statement&& statement, OnFailure&& onFailure) {
  for (;;) {
    NextStep next = NextStep::Retry;
    try {
      statement();
      return std::nullopt;
    } catch (const RuntimeError& e) {
      onFailure();
      next = ReportError(e, true);
    } catch (const std::bad_alloc&) {
      onFailure();
      next = ReportError(RuntimeError(ErrorNumber::OutOfMemory), true);
    }
    if (next != NextStep::Retry) return next;
  }
}

template <typename Statement>
std::optional<NextStep> RunReported(Statement&& statement) {
  return RunReported(std::forward<Statement>(statement), [] {});
}

}  // namespace brantel
