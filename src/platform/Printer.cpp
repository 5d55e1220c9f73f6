#include "platform/Printer.h"

#include <QCoreApplication>
#include <QPrinter>

namespace brantel::platform {
namespace {

QPrinter* printer = nullptr;

void ReleasePrinter() {
  delete printer;
  printer = nullptr;
}

}  // namespace

QPrinter& SystemPrinter() {
  if (!printer) {
    printer = new QPrinter(QPrinter::HighResolution);
    // Gone before the application object, with the print system still up.
    qAddPostRoutine(ReleasePrinter);
  }
  return *printer;
}

void CopyPrinterChoices(const QPrinter& from, QPrinter& to) {
  to.setOutputFormat(from.outputFormat());
  if (from.outputFormat() == QPrinter::NativeFormat) to.setPrinterName(from.printerName());
  to.setOutputFileName(from.outputFileName());
  to.setPageLayout(from.pageLayout());
  to.setCopyCount(from.copyCount());
  to.setCollateCopies(from.collateCopies());
  to.setColorMode(from.colorMode());
  to.setDuplex(from.duplex());
  to.setDocName(from.docName());
}

}  // namespace brantel::platform
