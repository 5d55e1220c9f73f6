#pragma once

#include <QPixmap>

namespace brantel {

// The program's logo: Mohr's circle touching a failure envelope above the
// program's name, on a transparent background.
QPixmap ProgramLogo();

}  // namespace brantel
