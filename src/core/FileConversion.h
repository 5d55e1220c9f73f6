#pragma once

#include "core/UnitSystem.h"

#include <QString>

#include <optional>

namespace brantel {

// The file-conversion dialog's steps that need no window. The conversion
// itself (ConvertProjectFiles of core/project/ProjectFile.h) converts
// nothing and reports success: a project keeps its values and its unit
// system.

// The unit system the last conversion aimed at; written by the dialog, read
// by nothing else.
extern UnitSystem ConvertTargetUnits;

// What follows a conversion: the file options of the dialog, in order.
enum class AfterConversion { LoadConverted = 0, KeepOriginal = 1 };

// The unit options at opening ("feet, psi, pcf" imperial, "meters, MPa,
// kN/m3" SI): the project's own unit system is disabled and the other one
// selected. A value outside UnitSystem's two (which no file reads into a
// project) disables neither and selects SI.
struct FileConversionUnits {
  UnitSystem Selected = UnitSystem::SI;
  std::optional<UnitSystem> Disabled;
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
