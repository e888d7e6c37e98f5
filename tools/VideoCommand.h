#pragma once

#include <optional>

// `lumina-fare video TRIP -o OUT [options]`: a trip file turned into a video.
// Nothing when the command line asks for another command; else the exit
// code (0 done, 1 refused or failed, 2 a wrong command line).
std::optional<int> runVideoCommand(int argc, char **argv);
