#pragma once

#include <QByteArray>

#include <chrono>
#include <functional>
#include <optional>

namespace brantel {

// Where no child process can be made for a ChildTask.
enum class WithoutChild {
  RunHere,  // the work runs in this process, on the calling thread, at once
  Skip,     // the work is not done; the task ends without an answer
};

// A piece of work that may wait in the kernel for good (a look at a folder
// whose network server or memory stick stopped answering), done in a child
// process of its own that nobody waits for: the caller waits for its answer
// as long as it likes and goes on without it. The child holds none of this
// process's files (its windows' connection, its locks): neither this
// process's exit nor its windows ever wait for it, even while the kernel
// holds it in a wait that no signal ends (which would hold a thread of this
// process, and with it the process's exit). A child that has not ended by
// the time its task goes is left to finish alone; it is reaped once it has
// ended, when a task starts or goes (or by the system after this program).
// Tasks are made, used and dropped on one thread, the user interface's.
//
// The work runs in a copy of this process made by fork(), on the one thread
// that the copy has: it may use the values it was given (QString,
// QByteArray, standard containers; memory is safe to allocate there) and
// system calls on files, and must take no lock that another thread of this
// process may hold, nor use a window, a Qt object with a thread of its own
// or a connection. Its answer is the bytes it returns.
class ChildTask {
 public:
  // A task that has ended without an answer.
  ChildTask() = default;
  explicit ChildTask(const std::function<QByteArray()>& work, WithoutChild withoutChild = WithoutChild::Skip);
  // The child goes on alone; its answer is no longer read.
  ~ChildTask();
  ChildTask(ChildTask&& other) noexcept;
  ChildTask& operator=(ChildTask&& other) noexcept;
  ChildTask(const ChildTask&) = delete;
  ChildTask& operator=(const ChildTask&) = delete;

  // Takes what the child has sent, waiting at most `timeout` for its end:
  // true once it has ended, with an answer or without one.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool Ended() { return WaitFor(std::chrono::milliseconds(0)); }

  // The work's answer once the task has ended; nothing before, nor when the
  // work failed or was skipped, or its process ended before it was done.
  std::optional<QByteArray> Answer() const;

 private:
  void Close();

  int child_ = -1;       // the child, until it is reaped or left alone
  int pipe_ = -1;        // the reading end, while the child may still send
  QByteArray received_;  // what came so far: the answer's size (8 bytes), then the answer
  bool answered_ = false;
};

}  // namespace brantel
