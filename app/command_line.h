// The program's command line, read before any Qt object exists so that --help and --version work
// without a display.
#pragma once

#include <optional>

struct CommandLine {
    bool fullScreen = false;          // --fullscreen: start with the screens filling the display
    bool muted = false;               // --mute: start without sound, whatever the settings say
    std::optional<int> exitStatus;    // set when the program must end at once with this status
};

// Reads argv. --help and --version print to standard output (status 0); an unknown option or an
// argument prints the usage to standard error (status 2). Qt's own options (-platform, -display
// ...) pass through untouched for QApplication.
CommandLine parseCommandLine(int argc, char* argv[]);
