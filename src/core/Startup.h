#pragma once

#include <QString>

namespace brantel {

// Start-up of the process, before any window exists: the globals, the user
// folders, the decimal point and the settings file.

// Main's steps 1 to 13: every global and default, the folders, the decimal
// point, the settings file created or renewed as needed and read back, and
// the leftovers of earlier runs removed.
void RunStartupSteps();

// The project file the command line names: its path without the quotes
// around it; empty when the command line names none.
QString CommandLineProject();

// Fills the globals and every setting's default (step 2).
void InitGlobals();
void InitAppPath();
void InitUserFolders();

// Makes sure a settings file of the current stamp exists and reads it
// (steps 10 and 11), under the lock beside the file. A missing file is
// written whole in one save; one that holds the current stamp but no
// [Settings] section (what a write cut short leaves) gets the sections it
// lacks, with their defaults, and keeps those it has. A file above
// kMaxSettingsFileBytes is damaged: it is set aside unread as
// "Brantel.INI.bad" and the program starts from the defaults. A file that
// cannot be written or deleted never makes this loop: the program goes on
// with the defaults, read through the same rules, and the history says the
// file could not be written.
void SettleSettingsFile();

// What earlier runs left behind (step 13), removed without a message:
// - the temporary files of saves cut short, each found through the record
//   of its save in the user's scratch folder (RemoveSavesCutShort), never
//   by listing another folder; the file named on the command line, the
//   recent projects and the settings file are never removed;
// - the external viewer's scratch copies in the user's scratch folder
//   ("~tmpbr-", six characters, ".tmp") older than kScratchCopyAgeSeconds:
//   a viewer has long finished with them.
void RemoveLeftoverFiles();
inline constexpr qint64 kScratchCopyAgeSeconds = 24 * 60 * 60;

// The system's scratch folder with a trailing "/"; the user's folder when
// there is none.
QString GetTempFolder();

// The process's decimal separator, and the desktop's before start-up in
// SavedDecimalSeparator. The process always uses "."; the desktop's own
// settings are never changed, so there is nothing to restore.
QString GetDecimalSeparator();
void SetDecimalSeparator(const QString& text);
void ForceDotDecimalSeparator();
void RestoreDecimalSeparator();

// How a version is written: "1.2.05" dotted, "1205" in digits alone.
enum class VersionForm { Digits, Dotted };
QString GetVersionString(VersionForm form);
QString FormatVersion(int major, int minor, int revision, VersionForm form);

}  // namespace brantel
