#include "PdfPrinting.h"

#include "core/OutputBuffers.h"
#include "forms/FormBuilder.h"
#include "core/Settings.h"
#include "mainwindow/OutputPages.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/TextBrowser.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>

namespace brantel {
namespace {

using test::PrintTest;

// Every caption fits its control; the windows are saved as pictures in the
// working folder for a look.
void ExpectCaptionsFit(QWidget& window, const QString& picture) {
  window.show();
  window.grab().save(picture);
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
  OutBuf[0] = QStringLiteral("[PROJECT TITLE]\r\nTunnel\r\n\r\n[2D Stresses]\r\n"
                             "Sigma X...................................12.5 (MPa)\r\n");
  OutBuf[1] = QStringLiteral("Second page\r\n");
  DataPath = Home() + u'/';
  WriteFile(Home() + QStringLiteral("/Tunnel.BNL"), "x");
  ExpectCaptionsFit(Open<frmPreview>(), QStringLiteral("preview.png"));
  ExpectCaptionsFit(Open<frmTxtBox>(), QStringLiteral("output-pages.png"));
  ExpectCaptionsFit(Open<frmTextBrow>(), QStringLiteral("text-browser.png"));
}

}  // namespace
}  // namespace brantel
