#pragma once

#include "Command.h"

namespace lumina::fare {

// `lumina-fare video TRIP -o OUT [options]`: a trip file turned into a video.
Command videoCommand();

} // namespace lumina::fare
