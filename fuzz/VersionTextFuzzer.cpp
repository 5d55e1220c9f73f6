// Fuzz target of the update answer: the body of the version file as a
// server sends it. Reading it must not crash; a version read is 1 to 9
// digits and reads back as itself; versions compare as their numbers, the
// same way round both ways; and the setup program named after a version
// lies in the update folder.

#include "FuzzCheck.h"
#include "core/Globals.h"
#include "core/update/Updater.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <optional>

const char* const brantel::fuzz::kTargetName = "version text fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;

int Sign(qint64 x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

void CheckVersion(const QString& version) {
  Check(IsValidVersionText(version), "a version read is no valid version text");
  Check(!version.isEmpty() && version.size() <= kMaxVersionDigits, "a version of no digit or too many");
  for (const QChar c : version) Check(c >= u'0' && c <= u'9', "a version with something else than digits");
  Check(ReadVersionText(version.toLatin1()) == version, "a version does not read back as itself");
  Check(ReadVersionText(version.toLatin1() + "\r\n") == version, "a version with its line end reads otherwise");
  Check(CompareVersions(version, version) == 0, "a version differs from itself");

  const QString current = CurrentVersionText();
  const int newer = CompareVersions(version, current);
  Check(newer == -CompareVersions(current, version), "the comparison depends on the order");
  Check(newer == Sign(version.toLongLong() - current.toLongLong()), "versions do not compare as numbers");
  Check(IsNewerVersion(version, current) == (newer > 0), "newer and the comparison disagree");

  const QString name = SetupFileNameOf(version);
  const QUrl url = UpdateFileUrl(name);
  Check(url.isValid(), "the setup program of a version has no address");
  Check(url.toString() == UpdateFolderURL + name, "the setup program lies outside the update folder");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UpdateFolderURL = QStringLiteral("https://brantel.example.org/updates/");
  const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QString> version = ReadVersionText(body);
  if (version) CheckVersion(*version);

  // Two answers compare the same way round both ways: the body's first line
  // against its second.
  const qsizetype end = body.indexOf('\n');
  if (!version || end < 0) return 0;
  const std::optional<QString> other = ReadVersionText(body.mid(end + 1));
  if (!other) return 0;
  CheckVersion(*other);
  const int order = CompareVersions(*version, *other);
  Check(order == -CompareVersions(*other, *version), "two versions compare differently each way round");
  Check(order == Sign(version->toLongLong() - other->toLongLong()), "two versions do not compare as numbers");
  return 0;
}
