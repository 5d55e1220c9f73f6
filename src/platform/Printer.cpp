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

}  // namespace brantel::platform
