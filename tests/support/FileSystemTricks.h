#pragma once

#include <QString>

namespace brantel::test {

// Moves the process into a mount namespace of its own (in a user namespace
// of its own where the process is not the superuser), where it may mount
// small file systems that no other process sees. Must run while the process
// has one thread, before the application object exists. False where the
// machine allows no such namespace.
bool EnterOwnMountNamespace();
bool InOwnMountNamespace();

// A memory file system of `kilobytes` mounted on `folder` (made when
// missing), for the life of the object. Valid() is false where it could not
// be mounted.
class TinyFileSystem {
 public:
  TinyFileSystem(const QString& folder, int kilobytes);
  ~TinyFileSystem();
  TinyFileSystem(const TinyFileSystem&) = delete;
  TinyFileSystem& operator=(const TinyFileSystem&) = delete;

  bool Valid() const { return mounted_; }
  // Fills the file system up with a file of that name; true when it is full.
  bool FillUp(const QString& name = QStringLiteral("filler")) const;

 private:
  QString folder_;
  bool mounted_ = false;
};

// For the life of the object the calling thread, even as the superuser,
// obeys the permission bits of files and folders when it opens, makes or
// removes them (the overrides of the superuser are set aside; a check with
// access(2), as QFileInfo::isWritable makes, still answers for the
// superuser). Valid() is false where that cannot be done; an ordinary user
// obeys them anyway and is always Valid().
class ObeyFilePermissions {
 public:
  ObeyFilePermissions();
  ~ObeyFilePermissions();
  ObeyFilePermissions(const ObeyFilePermissions&) = delete;
  ObeyFilePermissions& operator=(const ObeyFilePermissions&) = delete;

  bool Valid() const { return valid_; }

 private:
  bool valid_ = false;
  bool dropped_ = false;
  unsigned effective_[2] = {0, 0};
};

}  // namespace brantel::test
