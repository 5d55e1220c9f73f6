#include "core/project/ProjectRecord.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/project/ProjectFileRows.h"

namespace brantel {

ProjectRecord Project;

namespace {

// Sets every field of the project file to the default of a new project.
struct ResetVisitor {
  template <projectfile::RowInteger T>
  void Int(const projectfile::FieldName&, T& f, int, T def) {
    f = def;
  }
  template <projectfile::RowInteger T>
  void NumInt(const projectfile::FieldName&, T& f, int, T def) {
    f = def;
  }
  void Num(const projectfile::FieldName&, float& f, int, float def) { f = def; }
  void Num64(const projectfile::FieldName&, double& f, int, double def) { f = def; }
  void Print(const projectfile::FieldName&, float& f, int, float def) { f = def; }
  void Flag(const projectfile::FieldName&, bool& f, projectfile::FlagForm, int, bool def) { f = def; }
  void Count(const projectfile::FieldName&, int& f, int, int def, int) { f = def; }
  // Every row, also those beyond the count of the old project.
  void Rows(const projectfile::FieldName&, LabPointRows& rows, int, int) { rows = LabPointRows{}; }
};

}  // namespace

void ResetProjectRecord(ProjectRecord& record, ProjectNameOnReset name, UnitsOnReset units) {
  if (units == UnitsOnReset::NewProjectUnits) record.InputUnits = NewProjectUnits;
  if (name == ProjectNameOnReset::Untitled) record.ProjectPath = QStringLiteral("Untitled");
  record.FileSaved = true;
  record.FileEmpty = true;
  record.NewFileMark = RecentFileMark::Marked;
  record.FileHoldsData = false;

  ResetVisitor reset;
  projectfile::VisitFileRows(record, reset);

  // Inputs that the file does not carry.
  record.BoltWidth = 3.0f;
  BoltedWedgeData& slope = record.CoulombSlopeData;
  const float slopeSafetyFactor = slope.SafetyFactor;
  const float slopeReqBoltLoad = slope.ReqBoltLoad;
  slope = BoltedWedgeData{};
  slope.SafetyFactor = slopeSafetyFactor;
  slope.ReqBoltLoad = slopeReqBoltLoad;

  record.ProjectDescription.clear();
  record.ProjectTitle.clear();
}

void FileNew(ProjectNameOnReset name, UnitsOnReset units) {
  ResetProjectRecord(Project, name, units);
  AddFileInitializedLine();
}

void AddFileInitializedLine() {
  AddHistoryLine(Tr({"File initialized. Use Edit-Project Parameters to enter data.",
                     "Αρχικοποίηση αρχείου. Επιλέξτε το μενού 'Δεδομένα' για εισαγωγή δεδομένων."}));
}

void MarkProjectChanged() {
  Project.FileSaved = false;
  Project.FileEmpty = false;
}

}  // namespace brantel
