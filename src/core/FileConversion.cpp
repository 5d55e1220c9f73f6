#include "core/FileConversion.h"

#include "core/project/ProjectFile.h"

namespace brantel {

int ConvertTargetUnits = 0;

FileConversionUnits FileConversionUnitsFor(int projectUnits) {
  FileConversionUnits units;
  if (projectUnits == 0 || projectUnits == 1) {
    units.Disabled = projectUnits;
    units.Selected = 1 - projectUnits;
  }
  return units;
}

FileConversionOutcome RunFileConversion(int targetUnits) {
  ConvertTargetUnits = targetUnits;
  FileConversionOutcome outcome;
  outcome.Succeeded = ConvertProjectFiles();
  outcome.Message = outcome.Succeeded ? QStringLiteral("Conversion Completed: The conversion form will be closed")
                                      : QStringLiteral("Error in the Conversion Procedure. Call technical support");
  return outcome;
}

}  // namespace brantel
