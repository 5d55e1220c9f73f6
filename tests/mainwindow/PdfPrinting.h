#pragma once

#include "support/DialogTest.h"

#include <QString>
#include <QStringList>

namespace brantel::test {

// A test whose prints go to a PDF file in its home folder and whose print
// and font dialogs are answered without a person.
class PrintTest : public DialogTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sends the system printer's output to a file (a fresh one by default).
  QString PrintToPdf(const QString& name = QStringLiteral("out.pdf"));
  // The text of each page of a PDF file, read back with pdftotext.
  static QStringList PdfPages(const QString& path);

  int printDialogs_ = 0;
  bool printDialogAnswer_ = true;
};

// Lines "Line 001" to the count, each ended by CR LF.
QString NumberedLines(int count);

// The places that print on the system printer: the listing (File > Print),
// the print preview's Print, the failure zones' File > Print and the graph
// window's File > Print (whose print dialog the test answers).
enum class PrintPlace { Listing, Preview, FailureZones, Graph };
inline constexpr PrintPlace kPrintPlaces[] = {PrintPlace::Listing, PrintPlace::Preview, PrintPlace::FailureZones,
                                              PrintPlace::Graph};

// Prints from the place, the listing and the preview the text.
void PrintFrom(PrintPlace place, const QString& text);

// The pages of a PDF file as pdfinfo reads them; 0 for a file it cannot read.
int PdfPageCount(const QString& path);

}  // namespace brantel::test
