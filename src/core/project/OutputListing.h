#pragma once

#include "core/project/ProjectRecord.h"

#include <QString>

namespace brantel {

// The output listing: a readable page of the project header and of the
// inputs of the 2-D and 3-D stress, Coulomb, Coulomb-on-discontinuity,
// bolted-wedge, circular-opening and Von Mises tools. File Print prints it
// and File Print Preview shows it.
//
// Each value row is the label padded with "." to kListingLabelWidth
// characters, the value in the general number format and the unit suffix of
// its quantity for the project's unit system (angles " (deg)"), then CR LF.

inline constexpr int kListingLabelWidth = 42;

// The text filled up to `width` characters with "." on the right; a text
// that is not shorter than the width comes back unchanged.
QString PadLeftDots(const QString& text, int width);

// The listing of a record, lines ending in CR LF. The program's build and
// the project's path and units head it only when the setting
// PrintModuleHeader says yes. The description is listed wrapped as the
// project file would write it (WrapDescription); the record keeps its own.
// A value that is not a finite number is never listed: the listing is
// refused with an Overflow (6) run-time error naming the row.
QString OutputListingText(const ProjectRecord& record);

// Rebuilds the first output page, OutBuf[0], from the current project. When
// the listing is refused (see OutputListingText) the page is left empty and
// the run-time error goes to the caller.
void LoadOutBuf0();

}  // namespace brantel
