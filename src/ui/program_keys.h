#pragma once

// The program's keys, in one table: which key runs what, its name in the tooltips and in the
// list of keys, and whether a held key repeats it. The key filter looks a key up here and the
// main window runs it; whatever reaches the panel goes through the same panel operation as the
// matching button or slider, so a key and a click cannot differ.

#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace korvex {

enum class KeyAction {
    kButton,      // `value`: the panel button whose click it is
    kTogglePause, // pause or resume, as Space always did
    kSeek,        // `value` milliseconds on within the recording (back when negative)
    kSpeedSteps,  // `value` speed-slider steps (slower when negative)
    kNormalSpeed, // the speed slider to the middle
    kVolumeSteps, // `value` volume-slider steps louder (softer when negative)
    kFullScreen,  // the video window full screen, or back
    kShowKeys,    // the list of keys
};

struct KeyBinding {
    int key;          // Qt::Key
    const char* name; // as shown; a text key for Translate where it is a word
    KeyAction action;
    int value;
    const char* description; // text key for the list of keys; null: the button's tooltip key
    bool repeats;            // a held key runs it again with every repetition
    bool needs_recording;    // without an open recording it does nothing and the key goes on
};

// Every binding, in the order the list of keys shows them.
std::span<const KeyBinding> ProgramKeys();

// The binding of `key` pressed with `modifiers` (Qt::KeyboardModifiers as an int); none for a
// key the program does not use, or one held with Ctrl, Alt or Meta, which stay the desktop's.
std::optional<KeyBinding> FindProgramKey(int key, int modifiers);

// The names of the keys whose effect the panel button `control` has (Space on the Pause
// button), and of those of `action` (for the sliders), in table order.
std::vector<const char*> KeyNamesOfButton(int control);
std::vector<const char*> KeyNamesOfAction(KeyAction action);

// What `key` does, as a text key for Translate: its description, or its button's tooltip key.
const char* KeyDescription(const KeyBinding& key);

// The list of keys as a rich text table, one key a row, with every text passed through
// `translate`.
QString KeyListText(const std::function<QString(const char*)>& translate);

} // namespace korvex
