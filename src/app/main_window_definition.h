// The main window as data: title, outer size, and every control with its kind,
// client position, size and initial text, plus the click dispatch.
#pragma once

#include "platform/window.h"

namespace qm {

const WindowDefinition& MainWindowDefinition();

}  // namespace qm
