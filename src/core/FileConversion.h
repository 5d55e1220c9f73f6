#pragma once

#include "core/UnitSystem.h"

#include <QString>

namespace brantel {

// The file-conversion dialog's steps that need no window. The conversion
// itself (ConvertProjectFiles of core/project/ProjectFile.h) converts
// nothing and reports success: a project keeps its values and its unit
// system.

// The unit system the last conversion aimed at; written by the dialog, read
// by nothing else.
extern UnitSystem ConvertTargetUnits;

// The unit options at opening: the project's own unit system is disabled and
// the other one selected. A value outside UnitSystem's two (which no file
// reads into a project) disables neither and selects SI.
struct FileConversionUnits {
  int Selected = 1;   // index of the selected option: 0 "feet, psi, pcf", 1 "meters, MPa, kN/m3"
  int Disabled = -1;  // index of the disabled option, -1 for none
};
FileConversionUnits FileConversionUnitsFor(UnitSystem projectUnits);

// "Convert": stores the target unit system in ConvertTargetUnits, runs the
// conversion and gives the message to show: "Conversion Completed: The
// conversion form will be closed" on success, "Error in the Conversion
// Procedure. Call technical support" on failure.
struct FileConversionOutcome {
  bool Succeeded = false;
  QString Message;
};
FileConversionOutcome RunFileConversion(UnitSystem targetUnits);

}  // namespace brantel
