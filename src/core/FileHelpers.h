#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace brantel {

// True when the path names an existing file (not a folder). A path with the
// wildcards "*" or "?" in its file name is True when any file matches. A name
// beginning with "." is an ordinary file here. Never shows a message.
bool FileExists(const QString& path);

// True when the path names an existing folder (with or without a trailing
// "/") or file. An error while looking shows "Invalid path: " (unless quiet)
// or the internal-error message, and gives False.
bool ValidPath(const QString& path, bool quiet);

// The file name of a path (the part after the last "/"). With noExtension,
// the name is cut before its first "." that is not its first character.
// A path that ends with "/" shows "Error in filename: " and comes back whole.
QString StripPath(const QString& path, bool noExtension);

// Writes the bytes through a temporary file beside the target and a rename,
// so that the old file stays intact when anything fails. Returns the error,
// or nothing on success.
std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Copies a text file line by line (lines end with CR LF in the copy).
// A missing source shows "Requested File not found: ", a failed copy
// "File I/O problem with TMP file: "; both give False.
bool CopyTextFile(const QString& source, const QString& target);

// Joins a folder and a name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

// The folder with exactly one trailing "/".
QString WithTrailingSlash(const QString& folder);

}  // namespace brantel
