#pragma once

class QPrinter;

namespace brantel::platform {

// The one printer object of the process: every print goes to it, and the
// printer setup dialog configures it. It starts on the system's default
// printer and lives until the application object goes.
QPrinter& SystemPrinter();

// A printer with the same choices (printer, output file, page, copies,
// colour) that counts in the screen's pixels. Drawings whose texts are
// sized in points relative to the screen, such as charts, print on it in
// their screen proportions.
void CopyPrinterChoices(const QPrinter& from, QPrinter& to);

}  // namespace brantel::platform
