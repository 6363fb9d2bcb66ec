#pragma once

// What the play-control panel is given by the program that makes it: the application object,
// the message sink its channels and exports post through, the prompts, the card services of the
// SD card dialog and the sound. Everything given must outlive the panel.

#include "app/korvex_app.h"
#include "app/message_sink.h"
#include "audio/sound_driver.h"
#include "audio/volume_control.h"
#include "camera/card_formatter.h"
#include "engine/clock.h"
#include "stream/removable_volumes.h"
#include "ui/user_prompts.h"

#include <functional>
#include <memory>

namespace korvex {

struct PanelServices {
    CKorvexApp& app;
    MessageSink& messages;
    UserPrompts& prompts;
    const RemovableVolumes& volumes;
    CardFormatter& formatter;
    // The sound device of each new channel; empty, or a null device: the channel plays silently.
    std::function<std::unique_ptr<SoundDriver>()> make_sound;
    // A system volume control for one read or write; empty, or a null control: the volume
    // slider stays where it is and changes nothing.
    std::function<std::unique_ptr<VolumeControl>()> make_volume;
    // The ticks that space the read-outs' repaints; null: the steady clock.
    Clock* clock = nullptr;
};

} // namespace korvex
