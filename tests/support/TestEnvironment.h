#pragma once

#include "support/ScriptedMessageBoxes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace brantel::test {

// Sets environment variables for the life of the object and puts the old
// values back afterwards.
class ScopedEnv {
 public:
  ScopedEnv() = default;
  ~ScopedEnv();
  void Set(const char* name, const QByteArray& value);
  void Unset(const char* name);

 private:
  std::map<QByteArray, std::optional<QByteArray>> saved_;
};

// A fresh process state for each test: an empty home folder of its own
// (documents folder below it), the history emptied and numbered from 1,
// the settings at their built-in defaults with the history on, the message
// titles cleared, and every message box answered by a script.
class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The home folder of the test and its documents folder.
  QString Home() const { return home_.path(); }
  QString Documents() const { return home_.path() + QStringLiteral("/Documents"); }
  // Writes a file, creating its folders; returns its path.
  QString WriteFile(const QString& path, const QByteArray& bytes) const;
  static QByteArray ReadFile(const QString& path);
  // The history text.
  static QString History();
  // True when the process may not write where the file's permissions forbid
  // it (permission tests mean nothing to the superuser).
  static bool PermissionsApply();

  QTemporaryDir home_;
  ScopedEnv env_;
  std::optional<ScriptedMessageBoxes> boxes_;
};

}  // namespace brantel::test
