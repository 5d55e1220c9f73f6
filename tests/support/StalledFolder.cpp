#include "support/StalledFolder.h"

#include <QDir>
#include <QFile>

#include <linux/fuse.h>
#include <poll.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

namespace brantel::test {
namespace {

// The kernel asks for a read buffer of at least this size.
constexpr std::size_t kRequestBytes = 1 << 20;

QString SystemError(const char* what) {
  return QString::fromLatin1(what) + QStringLiteral(": ") + std::strerror(errno);
}

// Moves the calling thread into a mount namespace of its own, once, whose
// mounts reach no other namespace. The thread's namespace alone changes:
// the process may have other threads (unshare(CLONE_NEWNS) allows that).
bool EnterThreadMountNamespace(QString& whyNot) {
  thread_local bool entered = false;
  if (entered) return true;
  if (::unshare(CLONE_NEWNS) != 0) {
    whyNot = SystemError("no mount namespace of its own");
    return false;
  }
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    whyNot = SystemError("the mounts of its namespace cannot be made private");
    return false;
  }
  entered = true;
  return true;
}

void Reply(int device, std::uint64_t unique, const void* body, std::size_t size) {
  std::vector<char> reply(sizeof(fuse_out_header) + size);
  const fuse_out_header header{static_cast<std::uint32_t>(reply.size()), 0, unique};
  std::memcpy(reply.data(), &header, sizeof header);
  if (size > 0) std::memcpy(reply.data() + sizeof header, body, size);
  // A reply the kernel no longer waits for (an interrupted request) is
  // refused; that is all right.
  [[maybe_unused]] const ssize_t written = ::write(device, reply.data(), reply.size());
}

}  // namespace

StalledFolder::StalledFolder(const QString& folder, std::chrono::milliseconds stallFor) : folder_(folder) {
  if (::geteuid() != 0) {
    whyNot_ = QStringLiteral("a FUSE file system of a test's own needs the superuser");
    return;
  }
  if (!EnterThreadMountNamespace(whyNot_)) return;
  QDir().mkpath(folder_);
  device_ = ::open("/dev/fuse", O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (device_ < 0) {
    whyNot_ = SystemError("/dev/fuse cannot be opened");
    return;
  }
  stop_ = ::eventfd(0, EFD_CLOEXEC);
  const std::string options = "fd=" + std::to_string(device_) +
                              ",rootmode=40000,user_id=" + std::to_string(::geteuid()) +
                              ",group_id=" + std::to_string(::getegid());
  if (stop_ < 0 || ::mount("brantel-stall", QFile::encodeName(folder_).constData(), "fuse", MS_NOSUID | MS_NODEV,
                           options.c_str()) != 0) {
    whyNot_ = SystemError("the FUSE file system cannot be mounted");
    ::close(device_);
    device_ = -1;
    return;
  }
  mounted_ = true;
  attached_ = true;
  try {
    server_ = std::thread([this, cutOff = std::chrono::steady_clock::now() + stallFor] { Serve(cutOff); });
  } catch (const std::system_error&) {
    whyNot_ = QStringLiteral("no thread to serve the FUSE file system");
    mounted_ = false;
    Release();
  }
}

StalledFolder::~StalledFolder() {
  Release();
  if (stop_ >= 0) ::close(stop_);
  if (mounted_) QDir().rmdir(folder_);
}

void StalledFolder::Release() {
  if (server_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_, &one, sizeof one);
    server_.join();
  }
  // Closed, the device aborts the connection: every request waiting on it
  // ends with an error.
  if (device_ >= 0) ::close(device_);
  device_ = -1;
  Detach();
}

void StalledFolder::Detach() {
  if (attached_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
  attached_ = false;
}

void StalledFolder::Serve(std::chrono::steady_clock::time_point cutOff) {
  std::vector<char> request(kRequestBytes);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(cutOff - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd ready[2] = {{device_, POLLIN, 0}, {stop_, POLLIN, 0}};
    if (::poll(ready, 2, static_cast<int>(std::min<long long>(left.count(), 1000))) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (ready[1].revents != 0 || (ready[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) break;
    if ((ready[0].revents & POLLIN) == 0) continue;
    const ssize_t n = ::read(device_, request.data(), request.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == ENOENT)) continue;
    if (n < static_cast<ssize_t>(sizeof(fuse_in_header))) {
      if (n < 0) break;
      continue;
    }
    fuse_in_header header{};
    std::memcpy(&header, request.data(), sizeof header);
    const char* body = request.data() + sizeof header;
    if (header.opcode == FUSE_INIT) {
      fuse_init_in greeting{};
      std::memcpy(&greeting, body, std::min(sizeof greeting, static_cast<std::size_t>(n) - sizeof header));
      fuse_init_out answer{};
      answer.major = FUSE_KERNEL_VERSION;
      answer.minor = std::min<std::uint32_t>(greeting.minor, FUSE_KERNEL_MINOR_VERSION);
      answer.max_readahead = greeting.max_readahead;
      answer.max_background = 16;
      answer.congestion_threshold = 12;
      answer.max_write = 4096;
      answer.time_gran = 1;
      Reply(device_, header.unique, &answer, sizeof answer);
    } else if (header.opcode == FUSE_GETATTR && header.nodeid == FUSE_ROOT_ID) {
      // The folder itself is a folder, for a day.
      fuse_attr_out answer{};
      answer.attr_valid = 24 * 60 * 60;
      answer.attr.ino = FUSE_ROOT_ID;
      answer.attr.mode = S_IFDIR | 0755;
      answer.attr.nlink = 2;
      answer.attr.uid = ::geteuid();
      answer.attr.gid = ::getegid();
      answer.attr.blksize = 4096;
      Reply(device_, header.unique, &answer, sizeof answer);
    }
    // Anything else is never answered: that is the point.
  }
  // Cut off: what waits ends with an error from now on.
  ::close(device_);
  device_ = -1;
}

}  // namespace brantel::test
