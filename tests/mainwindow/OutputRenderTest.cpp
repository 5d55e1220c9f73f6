#include "PdfPrinting.h"

#include "core/OutputBuffers.h"
#include "core/Settings.h"
#include "forms/FormBuilder.h"
#include "mainwindow/OutputPagesWindow.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/TextBrowser.h"
#include "support/Renders.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>

namespace brantel {
namespace {

using test::PrintTest;

// Every caption fits its control; the windows are saved as pictures beside
// the test program for a look.
void ExpectCaptionsFit(QWidget& window, const QString& picture) {
  window.show();
  test::SaveRender(window, picture);
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (button->text().isEmpty()) continue;
    // A push button's size hint has a minimum width of its own; the caption
    // needs its text and the frame's padding.
    const int needed = qobject_cast<QPushButton*>(button)
                           ? button->fontMetrics().horizontalAdvance(forms::PlainCaption(button->text())) + 12
                           : button->sizeHint().width();
    EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    EXPECT_LE(button->fontMetrics().height() + 4, button->height()) << button->objectName().toStdString();
  }
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_LE(label->sizeHint().width(), label->width()) << label->objectName().toStdString();
  }
  window.close();
}

class OutputRender : public PrintTest {};

TEST_F(OutputRender, CaptionsFitInEveryWindow) {
  OutBuf[0] = QStringLiteral(
      "[PROJECT TITLE]\r\nTunnel\r\n\r\n[2D Stresses]\r\n"
      "Sigma X...................................12.5 (MPa)\r\n");
  OutBuf[1] = QStringLiteral("Second page\r\n");
  DataPath = Home() + u'/';
  WriteFile(Home() + QStringLiteral("/Tunnel.BNL"), "x");
  ExpectCaptionsFit(Open<PrintPreview>(), QStringLiteral("preview"));
  ExpectCaptionsFit(Open<OutputPagesWindow>(), QStringLiteral("output-pages"));
  ExpectCaptionsFit(Open<TextBrowser>(), QStringLiteral("text-browser"));
}

}  // namespace
}  // namespace brantel
