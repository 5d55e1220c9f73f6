#include "core/FileConversion.h"

#include "core/project/ProjectFile.h"

namespace brantel {

UnitSystem ConvertTargetUnits = UnitSystem::Imperial;

FileConversionUnits FileConversionUnitsFor(UnitSystem projectUnits) {
  FileConversionUnits units;
  if (projectUnits == UnitSystem::Imperial || projectUnits == UnitSystem::SI) {
    units.Disabled = projectUnits;
    units.Selected = projectUnits == UnitSystem::SI ? UnitSystem::Imperial : UnitSystem::SI;
  }
  return units;
}

FileConversionOutcome RunFileConversion(UnitSystem targetUnits) {
  ConvertTargetUnits = targetUnits;
  FileConversionOutcome outcome;
  outcome.Succeeded = ConvertProjectFiles();
  outcome.Message = outcome.Succeeded ? QStringLiteral("Conversion Completed: The conversion form will be closed")
                                      : QStringLiteral("Error in the Conversion Procedure. Call technical support");
  return outcome;
}

}  // namespace brantel
