#include "ui/dlg_sd_set.h"

#include "app/settings.h"
#include "app/translation_keys.h"
#include "camera/camera_setting_fields.h"
#include "camera/card_clear.h"
#include "camera/card_formatter.h"
#include "camera/card_volume.h"
#include "controls/label.h"
#include "stream/removable_volumes.h"
#include "ui/side_picture.h"
#include "ui/user_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#include <map>

namespace korvex {

namespace {

constexpr int kFillDelayMs = 1000;

LocalMinute Now() {
    const QDateTime now = QDateTime::currentDateTime();
    return {static_cast<unsigned>(now.date().year()), static_cast<unsigned>(now.date().month()),
            static_cast<unsigned>(now.date().day()), static_cast<unsigned>(now.time().hour()),
            static_cast<unsigned>(now.time().minute())};
}

QDateTime ToDateTime(const LocalMinute& clock) {
    return {QDate(static_cast<int>(clock.year), static_cast<int>(clock.month),
                  static_cast<int>(clock.day)),
            QTime(static_cast<int>(clock.hour), static_cast<int>(clock.minute))};
}

// The field labels, and which section each list belongs to.
struct ListPlace {
    const char* label;
    int section; // 0 setup, 1 record, 2 camera
};
const std::map<std::string_view, ListPlace> kPlaces = {
    {"language", {TextKey("Language:"), 0}},
    {"timeZone", {TextKey("Time_Zone:"), 0}},
    {"tvStandard", {TextKey("TV_Standard:"), 0}},
    {"frequency", {TextKey("Frequency:"), 0}},
    {"whiteBalance", {TextKey("White_Balance:"), 0}},
    {"effect", {TextKey("Effect:"), 0}},
    {"sensorSensitivity", {TextKey("Sensor_SEN:"), 0}},
    {"mic", {TextKey("MIC:"), 0}},
    {"speedUnit", {TextKey("Unit Of Speed:"), 0}},
    {"recResolution", {TextKey("REC_Resolution:"), 1}},
    {"recQuality", {TextKey("REC_Quality:"), 1}},
    {"recGSensor", {TextKey("REC_G-Sensor_SEN:"), 1}},
    {"capResolution", {TextKey("CAP_Resolution:"), 2}},
    {"capMode", {TextKey("CAP_Mode:"), 2}},
    {"capPeriod", {TextKey("CAP_Period:"), 2}},
    {"capGSensor", {TextKey("CAP_G-Sensor_SEN:"), 2}},
};

} // namespace

CDlgSDSet::CDlgSDSet(SdCardServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setWindowTitle(Tr("SD Card Setup"));
    const auto heading = [this](const QString& text) {
        auto* label = new CLabel(this);
        label->SetFontName(QStringLiteral("Arial"), 0)
            .SetFontSize(20)
            .SetFontBold(true)
            .SetTextColor(Qt::white)
            .SetTransparent(true)
            .SetText(text);
        label->setMinimumHeight(28);
        return label;
    };
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(NewSidePicture(this), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout;
    whole->addLayout(layout);
    layout->addWidget(heading(Tr("SD Card")));
    auto* card_row = new QHBoxLayout;
    auto* card_label = new QLabel(Tr("SD Card:"), this);
    cards_ = new QComboBox(this);
    cards_->setObjectName(QStringLiteral("cards"));
    cards_->setMinimumWidth(260);
    auto* format = new QPushButton(Tr("Format"), this);
    auto* clear = new QPushButton(Tr("Clear"), this);
    format->setObjectName(QStringLiteral("format"));
    clear->setObjectName(QStringLiteral("clear"));
    card_row->addWidget(card_label);
    card_row->addWidget(cards_, 1);
    card_row->addWidget(format);
    card_row->addWidget(clear);
    layout->addLayout(card_row);

    QFormLayout* forms[3];
    auto* sections = new QHBoxLayout;
    const QString titles[3] = {Tr("Setup"), Tr("Record"), Tr("Camera")};
    auto* right = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* column = new QVBoxLayout;
        column->addWidget(heading(titles[i]));
        forms[i] = new QFormLayout;
        column->addLayout(forms[i]);
        column->addStretch();
        static_cast<QBoxLayout*>(i == 0 ? static_cast<QBoxLayout*>(sections) : right)
            ->addLayout(column);
    }
    sections->addLayout(right);
    layout->addLayout(sections);

    set_time_ = new QCheckBox(Tr("Set_Time"), this);
    set_time_->setObjectName(QStringLiteral("set_time"));
    picker_ = new QDateTimeEdit(this);
    picker_->setObjectName(QStringLiteral("picker"));
    picker_->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm"));
    picker_->setDateTimeRange(ToDateTime(kKeepCameraClock), ToDateTime({2235, 12, 31, 23, 59}));
    picker_->setEnabled(false);
    for (const CameraSettingField& field : CameraSettingFields()) {
        const auto place = kPlaces.find(field.name);
        if (place == kPlaces.end()) {
            continue; // the clock fields have the picker
        }
        auto* list = new QComboBox(this);
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents); // filled after opening
        list->setObjectName(QString::fromUtf8(field.name.data(), field.name.size()));
        forms[place->second.section]->addRow(Tr(place->second.label), list);
        lists_.emplace_back(list, field.member);
        if (field.name == "timeZone") {
            forms[0]->addRow(QString(), set_time_);
            forms[0]->addRow(Tr("Data_Time:"), picker_);
        }
        connect(list, &QComboBox::activated, this, [this, list, member = field.member] {
            setup_.Settings().*member = static_cast<unsigned>(list->currentIndex());
        });
    }

    layout->addWidget(heading(Tr("Set SD Card")));
    auto* buttons = new QHBoxLayout;
    auto* set = new QPushButton(Tr("Set"), this);
    auto* cancel = new QPushButton(Tr("Cancel"), this);
    auto* defaults = new QPushButton(Tr("Default"), this);
    set->setObjectName(QStringLiteral("set"));
    defaults->setObjectName(QStringLiteral("default"));
    buttons->addStretch();
    for (QPushButton* button : {set, cancel, defaults}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    connect(set, &QPushButton::clicked, this, &CDlgSDSet::OnSet);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, &CDlgSDSet::OnDefault);
    connect(format, &QPushButton::clicked, this, &CDlgSDSet::OnFormat);
    connect(clear, &QPushButton::clicked, this, &CDlgSDSet::OnClear);
    connect(cards_, &QComboBox::activated, this, [this](int index) {
        setup_.ChooseCard(static_cast<std::size_t>(index));
        ShowSettings();
    });
    connect(set_time_, &QCheckBox::clicked, this, [this](bool ticked) {
        setup_.SetSetTime(ticked, Now());
        ShowSettings();
    });
    connect(picker_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        setup_.SetPicker({static_cast<unsigned>(value.date().year()),
                          static_cast<unsigned>(value.date().month()),
                          static_cast<unsigned>(value.date().day()),
                          static_cast<unsigned>(value.time().hour()),
                          static_cast<unsigned>(value.time().minute())});
    });
    QTimer::singleShot(kFillDelayMs, this, &CDlgSDSet::FillLists);
}

QString CDlgSDSet::Tr(const char* key) const {
    return QString::fromStdString(services_.settings.Translate(key));
}

void CDlgSDSet::FillLists() {
    for (const CameraSettingField& field : CameraSettingFields()) {
        for (auto& [list, member] : lists_) {
            if (member != field.member) {
                continue;
            }
            for (std::string_view text : field.texts) {
                const std::string entry(text);
                list->addItem(field.translated ? Tr(entry.c_str()) : QString::fromStdString(entry));
            }
        }
    }
    const bool found = setup_.Fill(services_.volumes.MountPoints(), Now());
    cards_->clear();
    for (const std::string& card : setup_.Cards()) {
        const std::string label = services_.volumes.Label(card);
        cards_->addItem(label.empty()
                            ? QString::fromStdString(card)
                            : QStringLiteral("%1 (%2)").arg(QString::fromStdString(label),
                                                            QString::fromStdString(card)));
    }
    ShowSettings();
    adjustSize(); // the lists have their widths only now
    if (!found) {
        services_.prompts.Inform(this, Tr("Record SD Card Not Find"));
    }
}

void CDlgSDSet::ShowSettings() {
    for (auto& [list, member] : lists_) {
        const unsigned index = setup_.Settings().*member;
        // A value the camera stored beyond its table shows as no entry and is kept.
        list->setCurrentIndex(static_cast<int>(index) < list->count() ? static_cast<int>(index)
                                                                      : -1);
    }
    if (setup_.ChosenCard()) {
        cards_->setCurrentIndex(static_cast<int>(*setup_.ChosenCard()));
    }
    const QSignalBlocker quiet(picker_);
    set_time_->setChecked(setup_.SetTime());
    picker_->setEnabled(setup_.SetTime());
    picker_->setDateTime(ToDateTime(setup_.Picker()));
}

void CDlgSDSet::OnSet() {
    switch (setup_.Save()) {
    case CardSetup::SaveResult::kNoCard:
        services_.prompts.Inform(this, Tr("Record SD Card Not Find"));
        return;
    case CardSetup::SaveResult::kFailed:
        services_.prompts.Inform(this, Tr("Save Error"));
        return;
    case CardSetup::SaveResult::kSaved:
        services_.prompts.Inform(this, Tr("Save Success"));
        accept();
        return;
    }
}

void CDlgSDSet::OnDefault() {
    if (services_.prompts.AskYesNo(this, Tr("Are you sure to default the settings?"))) {
        setup_.RestoreDefaults(Now());
        ShowSettings();
    }
}

std::string CDlgSDSet::ConfirmedCard(const QString& question) {
    if (!setup_.ChosenCard()) {
        services_.prompts.Inform(this, Tr("Record SD Card Not Find"));
        return {};
    }
    if (!services_.prompts.AskYesNo(this, question)) {
        return {};
    }
    return setup_.Cards()[*setup_.ChosenCard()];
}

void CDlgSDSet::OnFormat() {
    const std::string card = ConfirmedCard(Tr("Are you sure to Format it?"));
    if (card.empty()) {
        return;
    }
    const char* home = std::getenv("HOME");
    std::string refusal = services_.formatter.WhyUnavailable();
    if (refusal.empty()) {
        refusal = WhyNotFormattable(card, services_.volumes.MountPoints(), home ? home : "");
    }
    FormatResult result{false, refusal};
    if (refusal.empty()) {
        if (!services_.playing_recording.empty() &&
            VolumeHolding(services_.playing_recording, setup_.Cards()) == card) {
            services_.stop_playback();
        }
        setEnabled(false);
        result = services_.formatter.Format(card);
        setEnabled(true);
    }
    services_.prompts.Inform(this, result.formatted ? Tr("Format Success")
                                                    : Tr("Format Fail") + QStringLiteral("\n") +
                                                          QString::fromStdString(result.reason));
}

void CDlgSDSet::OnClear() {
    const std::string card = ConfirmedCard(Tr("Are you sure to Clear it?"));
    if (card.empty()) {
        return;
    }
    if (!services_.playing_recording.empty() &&
        VolumeHolding(services_.playing_recording, setup_.Cards()) == card) {
        services_.stop_playback();
    }
    const ClearReport report = ClearCard(card);
    services_.prompts.Inform(
        this, report.Succeeded() ? Tr("Clear Success")
                                 : Tr("Clear Fail") + QStringLiteral("\n") +
                                       Tr("%1 entries could not be deleted, the first: %2")
                                           .arg(report.entries_left)
                                           .arg(QString::fromStdString(report.first_failure)));
}

} // namespace korvex
