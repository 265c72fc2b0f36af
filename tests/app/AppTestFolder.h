// The app tests' temporary folders and file helpers.
#pragma once

#include "tests/support/TempFolder.h"

namespace apptest {

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

}  // namespace apptest
