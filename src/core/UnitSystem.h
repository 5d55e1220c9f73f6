#pragma once

#include <QtGlobal>

namespace brantel {

// The unit system of a project, and of a new project (NewProjectUnits):
// imperial (ft, in, lbs, psi, pcf) or SI (m, cm, kN, MPa, kN/m3).
enum class UnitSystem : qint16 { Imperial, SI };
inline constexpr int kUnitSystemCount = 2;

// The number of a unit system where the settings file, the project file and
// the unit options of the dialogs count them: 0 imperial, 1 SI.
constexpr int UnitSystemNumber(UnitSystem units) { return units == UnitSystem::SI ? 1 : 0; }
// The unit system of such a number; any number but 1 is imperial, as the
// readers of both files take an out-of-range value.
constexpr UnitSystem UnitSystemOfNumber(int number) { return number == 1 ? UnitSystem::SI : UnitSystem::Imperial; }

}  // namespace brantel
