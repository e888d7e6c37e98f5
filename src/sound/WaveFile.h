#pragma once

#include "sound/PcmClip.h"

class QIODevice;

namespace lumina {

// Reads a RIFF WAVE file holding plain PCM (8, 16 or 32-bit integers, or 32-bit
// floats; the usual header or WAVE_FORMAT_EXTENSIBLE) straight into a clip, so a
// click is ready without starting a media framework. Anything else (compressed
// or 24-bit data, a damaged header) gives null and `error` says why.
PcmClipPtr readWave(QIODevice *device, QString *error = nullptr);

} // namespace lumina
