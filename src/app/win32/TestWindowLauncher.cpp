#include "app/win32/TestWindowLauncher.h"

namespace sektra {

// The test windows are not part of this build yet: nothing opens.
void RunTestWindow(const TestWindowRequest&) {}

}  // namespace sektra
