#pragma once

#include <QString>

namespace brantel {

// The versions of the project file. The file's first line, its signature,
// names its version: "BRANTEL_100" is version 50, "BRANTEL_101" 51, and so
// on. Every row of the file carries the version that added it
// (ProjectFileRows.h); a file holds the rows of its own version and of the
// versions before it.

// The oldest version read.
inline constexpr int kProjectFileFirstVersion = 50;

// The version written: the one constant to raise when a version adds rows.
// Its signature, and the versions read, follow from it.
inline constexpr int kProjectFileVersionWritten = 59;

// The newest version read: one beyond the version written, read with the
// rows of the version written.
inline constexpr int kProjectFileLastVersion = kProjectFileVersionWritten + 1;

// The signatures read, one a version from the oldest to the newest.
inline constexpr int kProjectSignatureCount = kProjectFileLastVersion - kProjectFileFirstVersion + 1;

// The signature of a version: "BRANTEL_" and the version plus 50.
QString ProjectSignatureOf(int version);

}  // namespace brantel
