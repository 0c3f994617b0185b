#pragma once

namespace velmarin {

// Starts the window program (QApplication, CMainFrame) and runs its event loop.
int RunWindowApplication(int argc, char* argv[]);

}  // namespace velmarin
