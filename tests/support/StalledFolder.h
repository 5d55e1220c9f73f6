#pragma once

#include <QString>

#include <chrono>
#include <thread>

namespace brantel::test {

// A folder that stops answering, as a network folder whose server is gone or
// a memory stick whose driver hangs: a FUSE file system of the test's own,
// served from /dev/fuse by a thread of this object without libfuse. It
// answers the kernel's greeting and a look at the folder itself (stat of
// the folder works, it is a folder), and nothing else: a look at any name
// in it (stat, lstat, open), a listing of it, statvfs of it and access(2)
// wait.
//
// After `stallFor`, or at Release(), or when the object goes, the file
// system is cut off: everything that waits on it ends with an error
// (ENOTCONN), so that the test, and the threads of the program it started,
// always end.
//
// Mounted in a mount namespace of the calling thread's own (each thread
// that makes one gets a namespace once): no other process sees it, nor a
// thread of this one but the calling thread and those it starts later.
// Needs the superuser and /dev/fuse; elsewhere Valid() is false and
// WhyNot() says why.
class StalledFolder {
 public:
  explicit StalledFolder(const QString& folder, std::chrono::milliseconds stallFor = std::chrono::seconds(20));
  ~StalledFolder();
  StalledFolder(const StalledFolder&) = delete;
  StalledFolder& operator=(const StalledFolder&) = delete;

  bool Valid() const { return mounted_; }
  QString WhyNot() const { return whyNot_; }
  QString Path() const { return folder_; }

  // Cuts the file system off now; what waits on it ends with an error.
  void Release();
  // Takes the file system out of the folder tree, where the folder becomes
  // an empty folder again (one that can be removed), without cutting it
  // off: what waits on it goes on waiting until the cut-off.
  void Detach();

 private:
  void Serve(std::chrono::steady_clock::time_point cutOff);

  QString folder_;
  QString whyNot_;
  bool mounted_ = false;
  bool attached_ = false;  // mounted and not yet taken off
  int device_ = -1;        // /dev/fuse, served by server_ until the cut-off
  int stop_ = -1;          // an eventfd that ends the serving early
  std::thread server_;
};

}  // namespace brantel::test
