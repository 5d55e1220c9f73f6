#include "support/FileSystemTricks.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace brantel::test {
namespace {

bool g_ownNamespace = false;

bool WriteProcFile(const char* path, const std::string& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return ok;
}

bool GetCapabilities(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return ::syscall(SYS_capget, &header, data) == 0;
}

bool SetCapabilities(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return ::syscall(SYS_capset, &header, data) == 0;
}

constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

}  // namespace

bool EnterOwnMountNamespace() {
  if (g_ownNamespace) return true;
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
    // The user keeps its own identity inside, as the superuser of the new
    // namespace.
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n"))
      return false;
  } else if (::unshare(CLONE_NEWNS) != 0) {
    return false;
  }
  // Mounts made here stay here.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  g_ownNamespace = true;
  return true;
}

bool InOwnMountNamespace() { return g_ownNamespace; }

TinyFileSystem::TinyFileSystem(const QString& folder, int kilobytes) : folder_(folder) {
  if (!g_ownNamespace) return;
  QDir().mkpath(folder_);
  const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0777";
  mounted_ =
      ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

TinyFileSystem::~TinyFileSystem() {
  if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool TinyFileSystem::FillUp(const QString& name) const {
  const std::string path = QFile::encodeName(folder_ + u'/' + name).toStdString();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  char block[1024];
  std::memset(block, 0x5A, sizeof block);
  bool full = false;
  // At most 64 MB: never the whole disk of a file system that is not tiny.
  for (int i = 0; i < 1 << 16; ++i) {
    const ssize_t n = ::write(fd, block, sizeof block);
    if (n > 0) continue;
    full = n < 0 && errno == ENOSPC;
    break;
  }
  ::close(fd);
  return full;
}

ObeyFilePermissions::ObeyFilePermissions() {
  if (::geteuid() != 0) {
    valid_ = true;
    return;
  }
  __user_cap_data_struct data[2];
  if (!GetCapabilities(data)) return;
  effective_[0] = data[0].effective;
  effective_[1] = data[1].effective;
  data[0].effective &= ~kOverrides;
  if (!SetCapabilities(data)) return;
  dropped_ = true;
  valid_ = true;
}

ObeyFilePermissions::~ObeyFilePermissions() {
  if (!dropped_) return;
  __user_cap_data_struct data[2];
  if (!GetCapabilities(data)) return;
  data[0].effective = effective_[0];
  data[1].effective = effective_[1];
  SetCapabilities(data);
}

}  // namespace brantel::test
