#pragma once

#include <QString>

#include <chrono>

namespace brantel {

// Start-up of the process, before any window exists: the globals, the user
// folders, the decimal point and the settings file.

// Main's steps 1 to 13: every global and default, the folders, the decimal
// point, the settings file created or renewed as needed and read back, and
// the removal of the leftovers of earlier runs begun in the background.
void RunStartupSteps();

// The project file the command line names: its path without the quotes
// around it; empty when the command line names none.
QString CommandLineProject();

// Fills the globals and every setting's default (step 2).
void InitGlobals();
void InitAppPath();
// The user's folders below the documents folder, "MyBrantel/" and
// "MyBrantel/Temp/", made when missing; the program folder for each that
// cannot be made. They are made in a process of their own (ChildTask),
// waited for at most kUserFoldersWaitMs: a documents folder that does not
// answer (a network folder whose server is gone) leaves the program in its
// own folder for this run, and the history says so.
void InitUserFolders();
inline constexpr int kUserFoldersWaitMs = 3000;

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

// What earlier runs left behind, removed without a message:
// - the temporary files of saves cut short, each found through the record
//   of its save in the user's scratch folder (RemoveSavesCutShort), never
//   by listing another folder; the file named on the command line, the
//   recent projects and the settings file are never removed;
// - the external viewer's scratch copies in the user's scratch folder
//   ("~tmpbr-", six characters, ".tmp") older than kScratchCopyAgeSeconds:
//   a viewer has long finished with them.
// Done here, on the calling thread, before it returns.
void RemoveLeftoverFiles();
inline constexpr qint64 kScratchCopyAgeSeconds = 24 * 60 * 60;

// The same clean-up in a process of its own (step 13, a ChildTask), which
// neither the start nor the program's exit ever waits for: a record may
// name a file on a network folder or memory stick that does not answer,
// and a look at it may wait for good. The folder and the files kept are
// copied from the globals before it starts; a record it cannot finish with
// stays for a later start.
void StartRemovingLeftoverFiles();
// Waits at most `timeout` for the clean-up that the last start began: true
// once it has ended, or when none was begun.
bool WaitForLeftoverCleanUp(std::chrono::milliseconds timeout);

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
