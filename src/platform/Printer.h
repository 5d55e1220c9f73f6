#pragma once

class QPrinter;

namespace brantel::platform {

// The one printer object of the process: every print goes to it, and the
// printer setup dialog configures it. It starts on the system's default
// printer and lives until the application object goes.
QPrinter& SystemPrinter();

}  // namespace brantel::platform
