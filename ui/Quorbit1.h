// Start-up: checks that there is a display, shows the main dialog modally, and ends the
// program when it closes.
#pragma once

namespace quorbit1 {

class CQuorbit1App {
public:
    // Returns the process's exit status.
    int InitInstance(int& argc, char** argv);
};

// True when a window system can be reached: a platform chosen in QT_QPA_PLATFORM, a Wayland
// display, or an X display whose socket exists.
bool DisplayAvailable();

}  // namespace quorbit1
