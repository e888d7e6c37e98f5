#pragma once

namespace lumina {

// The bundled sample sounds (samples/sounds/) and the sound field of the options
// dialog (txtSelectSound index) each one is set to when the program starts with
// no settings file, so a newcomer hears every event without setting anything up.
struct SampleSound {
    int field;
    const char *file;
};

inline constexpr SampleSound kSampleSounds[] = {
    {0, "route.wav"},   // route set: boarding chime
    {1, "key.wav"},     // keypad keys and route digit lists: click
    {3, "pre.wav"},     // before an announcement (always)
    {4, "pre.wav"},     // before an announcement, flag 1
    {5, "chime.mp3"},   // flag 2
    {6, "melody.mid"},  // flag 3
    {7, "step.wav"},    // stepping (always)
    {8, "step.wav"},    // stepping, data column value 1
    {9, "chime.mp3"},   // value 2
    {10, "melody.mid"}, // value 3
};

// Folder of the sample sounds inside the sample data folder.
inline constexpr char kSampleSoundFolder[] = "sounds";

} // namespace lumina
