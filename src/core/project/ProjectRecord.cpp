#include "core/project/ProjectRecord.h"

namespace brantel {

ProjectRecord Project;

}  // namespace brantel
