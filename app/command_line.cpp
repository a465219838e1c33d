#include "app/command_line.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: tapdash [--fullscreen] [--mute]\n"
    "A keyboard race for one to four players sharing one keyboard.\n"
    "\n"
    "  --fullscreen  start full screen (F11 switches while playing)\n"
    "  --mute        start without sound (F12 switches sound off and on)\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// The options QApplication removes from the command line itself.
constexpr std::array kQtOptions{
    QtOption{"-platform", true},      QtOption{"-platformpluginpath", true}, QtOption{"-platformtheme", true},
    QtOption{"-plugin", true},        QtOption{"-display", true},            QtOption{"-geometry", true},
    QtOption{"-qwindowgeometry", true}, QtOption{"-name", true},             QtOption{"-title", true},
    QtOption{"-qwindowtitle", true},  QtOption{"-qwindowicon", true},        QtOption{"-style", true},
    QtOption{"-stylesheet", true},    QtOption{"-session", true},            QtOption{"-reverse", false},
    QtOption{"-widgetcount", false},  QtOption{"-sync", false},              QtOption{"-nograb", false},
    QtOption{"-dograb", false},
};

const QtOption* qtOption(std::string_view argument)
{
    if (argument.starts_with("--")) {
        argument.remove_prefix(1);  // Qt takes its options with two dashes too, and as name=value
    }
    argument = argument.substr(0, argument.find('='));
    for (const QtOption& option : kQtOptions) {
        if (argument == option.name) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

CommandLine parseCommandLine(int argc, char* argv[])
{
    CommandLine commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            commandLine.exitStatus = 0;
            return commandLine;
        }
        if (argument == "--version") {
            std::printf("tapdash %s\n", TAPDASH_VERSION);
            commandLine.exitStatus = 0;
            return commandLine;
        }
        if (argument == "--fullscreen") {
            commandLine.fullScreen = true;
        } else if (argument == "--mute") {
            commandLine.muted = true;
        } else if (const QtOption* option = qtOption(argument)) {
            if (option->takesValue && argument.find('=') == std::string_view::npos) {
                ++i;
            }
        } else {
            std::fprintf(stderr, "tapdash: unknown %s '%s'\n%s", argument.starts_with('-') ? "option" : "argument",
                         argv[i], kUsage);
            commandLine.exitStatus = 2;
            return commandLine;
        }
    }
    return commandLine;
}
