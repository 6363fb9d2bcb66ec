#pragma once

#include "camera/card_setup.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;

namespace korvex {

class CardFormatter;
class CSettings;
class RemovableVolumes;
class UserPrompts;

// What the SD card dialog needs from its opener.
struct SdCardServices {
    const CSettings& settings; // every text through Translate
    const RemovableVolumes& volumes;
    CardFormatter& formatter;
    UserPrompts& prompts;
    std::string playing_recording;       // the path of the recording being played, or empty
    std::function<void()> stop_playback; // run before Format or Clear touch its card
};

// The SD card dialog: edits the camera's settings file on a card, asks the camera to set its
// clock, formats or empties the card. The lists are filled one second after it opens; the rules
// live in CardSetup. User-interface thread only; modal.
class CDlgSDSet : public QDialog {
    Q_OBJECT

public:
    explicit CDlgSDSet(SdCardServices services, QWidget* parent = nullptr);

private:
    QString Tr(const char* key) const;
    void FillLists();
    void ShowSettings();
    void OnSet();
    void OnDefault();
    void OnFormat();
    void OnClear();
    // The chosen card's mount point after the user said Yes to `question`, with playback of a
    // recording on it stopped; empty when there is no card or the user said No.
    std::string ConfirmedCard(const QString& question);

    SdCardServices services_;
    CardSetup setup_;
    QComboBox* cards_;
    QCheckBox* set_time_;
    QDateTimeEdit* picker_;
    std::vector<std::pair<QComboBox*, unsigned CameraSettings::*>> lists_;
};

} // namespace korvex
