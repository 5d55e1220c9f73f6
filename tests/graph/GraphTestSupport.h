#pragma once

#include "support/DialogTest.h"

#include <QString>
#include <QStringList>

namespace brantel::test {

// The graph buffer as start-up leaves it, the user's scratch folder in the
// test's home, and no program or printer dialog that a person would see:
// files "opened" with the default program are recorded, the printer dialog
// answers as the test says.
class GraphTest : public DialogTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Fills the three curves with the stresses along a radial line around a
  // circular opening, points 0..last.
  static void FillCurves(int last);

  QStringList opened_;  // files handed to the default program
  bool openSucceeds_ = true;
  bool printerAccepts_ = true;
  QString printFile_;  // the PDF file the printer writes
};

}  // namespace brantel::test
