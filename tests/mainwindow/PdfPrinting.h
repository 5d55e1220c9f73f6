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

}  // namespace brantel::test
