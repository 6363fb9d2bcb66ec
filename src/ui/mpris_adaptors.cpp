#include "ui/mpris_adaptors.h"

#include "playback/panel_commands.h"
#include "ui/mpris_values.h"

namespace korvex {

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

double MprisPlayerAdaptor::MinimumRate() const {
    return RateAtSpeedSliderPosition(0);
}

double MprisPlayerAdaptor::MaximumRate() const {
    return RateAtSpeedSliderPosition(kSpeedSliderPositions - 1);
}

} // namespace korvex
