#include "core/ChildTask.h"

#include "core/FileHelpers.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brantel {
namespace {

// The answer's size before the answer, so that an answer cut short (the
// process killed) is told from a whole one.
constexpr qsizetype kSizeBytes = 8;

QByteArray WithSize(const QByteArray& answer) {
  QByteArray bytes(kSizeBytes, Qt::Uninitialized);
  qToLittleEndian<quint64>(static_cast<quint64>(answer.size()), bytes.data());
  return bytes + answer;
}

// Closes every file from `from` up, but `kept`.
void CloseFilesFrom(int from, int kept) {
  const auto closeRange = [](int first, int last) {
    if (first > last) return;
    if (::syscall(SYS_close_range, static_cast<unsigned>(first), static_cast<unsigned>(last), 0u) == 0) return;
    // A kernel without close_range: every number the process may use.
    const long open = std::min(::sysconf(_SC_OPEN_MAX), 65536L);
    for (long fd = first; fd <= std::min<long>(last, open); ++fd) ::close(static_cast<int>(fd));
  };
  closeRange(from, kept - 1);
  closeRange(kept + 1, INT_MAX);
}

// The child that does the work: it keeps of this program's files only the
// pipe of its answer (the windows' connection, the locks, the devices are
// this program's), sends the answer and ends.
[[noreturn]] void DoWork(int answer, const std::function<QByteArray()>& work) {
  // A reader that has gone makes a write fail rather than end the process.
  ::signal(SIGPIPE, SIG_IGN);
  const int null = ::open("/dev/null", O_RDWR);
  for (int standard = 0; standard < 3; ++standard) {
    if (null >= 0 && null != standard) ::dup2(null, standard);
  }
  if (answer < 3) answer = ::fcntl(answer, F_DUPFD, 3);
  CloseFilesFrom(3, answer);
  QByteArray bytes;
  try {
    bytes = WithSize(work());
  } catch (...) {
    ::_exit(1);
  }
  const int failed = WriteAllBytes(answer, bytes);
  // Closed before the end, which takes a while in a large program: the
  // answer is whole at once.
  ::close(answer);
  ::_exit(failed == 0 ? 0 : 1);
}

// The children that were left to finish alone: each is reaped, once it
// has ended, when a task starts or goes. Tasks start and go on one thread
// only, the user interface's.
std::vector<pid_t>& ChildrenLeft() {
  static auto* children = new std::vector<pid_t>;
  return *children;
}

void ReapChildrenLeft() {
  std::vector<pid_t>& children = ChildrenLeft();
  children.erase(std::remove_if(children.begin(), children.end(),
                                [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; }),
                 children.end());
}

}  // namespace

ChildTask::ChildTask(const std::function<QByteArray()>& work, WithoutChild withoutChild) {
  ReapChildrenLeft();
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) == 0) {
    const pid_t child = ::fork();
    if (child == 0) DoWork(ends[1], work);
    ::close(ends[1]);
    if (child > 0) {
      child_ = child;
      pipe_ = ends[0];
      ::fcntl(pipe_, F_SETFL, ::fcntl(pipe_, F_GETFL) | O_NONBLOCK);
      return;
    }
    ::close(ends[0]);
  }
  if (withoutChild == WithoutChild::RunHere) {
    try {
      received_ = WithSize(work());
      answered_ = true;
    } catch (...) {
      received_.clear();
    }
  }
}

ChildTask::~ChildTask() { Close(); }

ChildTask::ChildTask(ChildTask&& other) noexcept
    : child_(std::exchange(other.child_, -1)),
      pipe_(std::exchange(other.pipe_, -1)),
      received_(std::move(other.received_)),
      answered_(std::exchange(other.answered_, false)) {}

ChildTask& ChildTask::operator=(ChildTask&& other) noexcept {
  if (this != &other) {
    Close();
    child_ = std::exchange(other.child_, -1);
    pipe_ = std::exchange(other.pipe_, -1);
    received_ = std::move(other.received_);
    answered_ = std::exchange(other.answered_, false);
  }
  return *this;
}

void ChildTask::Close() {
  if (pipe_ >= 0) ::close(pipe_);
  pipe_ = -1;
  // A child that has ended is reaped; one still at work (or ending) is left
  // to finish alone, and reaped later.
  if (child_ > 0 && ::waitpid(child_, nullptr, WNOHANG) == 0) ChildrenLeft().push_back(child_);
  child_ = -1;
  ReapChildrenLeft();
}

bool ChildTask::WaitFor(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (pipe_ >= 0) {
    char piece[64 * 1024];
    const ssize_t n = ::read(pipe_, piece, sizeof piece);
    if (n > 0) {
      received_.append(piece, n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) {
      // The end: whole when it holds as many bytes as it says.
      answered_ =
          n == 0 && received_.size() >= kSizeBytes &&
          qFromLittleEndian<quint64>(received_.constData()) == static_cast<quint64>(received_.size() - kSizeBytes);
      Close();
      break;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{pipe_, POLLIN, 0};
    ::poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
  }
  return true;
}

std::optional<QByteArray> ChildTask::Answer() const {
  if (!answered_ || pipe_ >= 0) return std::nullopt;
  return received_.mid(kSizeBytes);
}

}  // namespace brantel
