#pragma once

#include <QString>

namespace brantel {

// Values of the one-byte flags of the project header.
inline constexpr quint8 kFlagTrue = 255;
inline constexpr quint8 kFlagFalse = 0;

// The one open project: its header, and one group of variables per tool.
struct ProjectRecord {
  QString ProjectPath;          // full path of the project file
  QString ProjectDisplayName;
  QString ProjectTitle;
  QString ProjectDescription;   // lines joined by CR LF
  qint16 InputUnits = 0;        // 0 imperial, 1 SI
  qint16 FileVersion = 0;       // 50..60 of the file being read
  quint8 FileSaved = kFlagTrue;
  quint8 FileEmpty = kFlagTrue;
  quint8 FileHoldsData = kFlagFalse;
  qint16 NewFileMark = 0;
};

extern ProjectRecord Project;

// Starts a new project: with the units flag, InputUnits becomes DefaultUnits;
// with the rename flag, ProjectPath becomes "Untitled"; the flags, the
// description and every input return to their defaults; one history line.
// Always returns 0.
qint16 FileNew(bool& renameFlag, bool& unitsFlag);

}  // namespace brantel
