#include "ui/config_dlg.h"

#include "app/language_table.h"
#include "app/settings.h"
#include "app/version.h"
#include "ui/side_picture.h"
#include "ui/user_prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korvex {
namespace {

constexpr int kSmallUiMode = 0;  // 960 x 600
constexpr int kMiddleUiMode = 1; // 1280 x 800
constexpr int kLargeUiMode = 2;  // 1920 x 1080

QString Tr(const CSettings& settings, const char* key) {
    return QString::fromStdString(settings.Translate(key));
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A list's index for a stored value; a value outside the list leaves it without a selection.
int IndexIn(const QStringList& items, int value) {
    return value >= 0 && value < items.size() ? value : -1;
}

} // namespace

CConfigDlg::CConfigDlg(CSettings& settings, UserPrompts& prompts, QSize screen, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), screen_(screen),
      fields_(new QGridLayout), count_(settings.continuous_shooting_count) {
    setWindowTitle(Tr(settings_, "Config"));
    setMinimumWidth(560);
    fields_->setHorizontalSpacing(12);
    fields_->setColumnStretch(1, 1);

    auto* version = new QLineEdit(QString::fromStdString(ProgramVersionText()));
    version->setReadOnly(true);
    AddRow(Tr(settings_, "Version"), version);
    path_ = new QLineEdit(QString::fromStdString(settings_.snapshot_folder));
    path_->setReadOnly(true);
    path_->setObjectName("snapshotPath");
    auto* browse = new QPushButton(Tr(settings_, "Browse"));
    browse->setObjectName("browse");
    connect(browse, &QPushButton::clicked, this, &CConfigDlg::Browse);
    AddRow(Tr(settings_, "Snapshot Path"), path_, browse);

    image_type_ = AddList(Tr(settings_, "Image Type"), {"BMP", "JPG"}, settings_.image_type);
    count_edit_ = new QLineEdit(QString::number(count_));
    count_edit_->setObjectName("continuousShooting");
    AddRow(Tr(settings_, "Continuous Shooting"), count_edit_);

    language_ = new QComboBox;
    language_->setObjectName("language");
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        const int index = static_cast<int>(i);
        if (settings_.IsLanguageAvailable(index)) {
            language_->addItem(FromView(kLanguages[i].display_name), index);
        }
    }
    language_->setCurrentIndex(language_->findData(settings_.language_chosen));
    AddRow(Tr(settings_, "Language"), language_);

    ui_mode_ = AddList(Tr(settings_, "UIMode"), {"960*600", "1280*800", "1920*1080"},
                       settings_.ui_mode_in_use);
    ui_mode_->setObjectName("uiMode");
    connect(ui_mode_, &QComboBox::currentIndexChanged, this, &CConfigDlg::FitUiModeToScreen);
    QStringList percents;
    for (int level = 1; level <= 10; ++level) {
        percents.push_back(QString("%1 %").arg(level * 100));
    }
    amplification_ = AddList(Tr(settings_, "Sound Amplification"), percents,
                             settings_.sound_amplification.load() - 1);
    amplification_->setObjectName("soundAmplification");
    display_mode_ =
        AddList(Tr(settings_, "Display Mode"), {"YV12", "RGB"}, settings_.display_mode.load());
    display_mode_->setObjectName("displayMode");
    unit_ = AddList(Tr(settings_, "Unit Of Speed"), {"Km/h", "Mile/h", "Knot"},
                    settings_.unit_of_speed);
    unit_->setObjectName("unitOfSpeed");
    image_type_->setObjectName("imageType");

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(Tr(settings_, "OK"), QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton(Tr(settings_, "Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CConfigDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConfigDlg::reject);

    auto* form = new QVBoxLayout;
    form->addLayout(fields_);
    form->addStretch();
    form->addWidget(buttons);
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(NewSidePicture(this), 0, Qt::AlignTop);
    whole->addLayout(form);
}

void CConfigDlg::AddRow(const QString& label, QWidget* field, QWidget* beside) {
    const int row = fields_->rowCount();
    fields_->addWidget(new QLabel(label), row, 0);
    fields_->addWidget(field, row, 1, 1, beside != nullptr ? 1 : 2);
    if (beside != nullptr) {
        fields_->addWidget(beside, row, 2);
    }
}

QComboBox* CConfigDlg::AddList(const QString& label, const QStringList& items, int selected) {
    auto* list = new QComboBox;
    list->addItems(items);
    list->setCurrentIndex(IndexIn(items, selected));
    AddRow(label, list);
    return list;
}

void CConfigDlg::Browse() {
    // The title is the program's own and not translated.
    const QString folder = prompts_.PickFolder(this, "Select a folder...", path_->text());
    if (!folder.isEmpty()) {
        path_->setText(folder);
    }
}

void CConfigDlg::FitUiModeToScreen(int mode) {
    const auto smaller_than = [this](int width, int height) {
        return screen_.width() < width || screen_.height() < height;
    };
    const QString too_small_for_middle = Tr(settings_, "Screen Resolution is Less than 1280*800");
    if (mode == kLargeUiMode && smaller_than(1280, 800)) {
        prompts_.Inform(this, too_small_for_middle);
        mode = kSmallUiMode;
    }
    if (mode == kLargeUiMode && smaller_than(1920, 1080)) {
        prompts_.Inform(this, Tr(settings_, "Screen Resolution is Less than 1920*1080"));
        mode = kMiddleUiMode;
    }
    if (mode == kMiddleUiMode && smaller_than(1280, 800)) {
        prompts_.Inform(this, too_small_for_middle);
        mode = kSmallUiMode;
    }
    const QSignalBlocker quiet(ui_mode_);
    ui_mode_->setCurrentIndex(mode);
}

void CConfigDlg::accept() {
    bool is_number = false;
    const int typed = count_edit_->text().trimmed().toInt(&is_number);
    if (!is_number) {
        prompts_.Inform(this, "Please enter an integer.");
        count_edit_->setText(QString::number(count_));
        return;
    }
    count_ = typed;
    settings_.snapshot_folder = path_->text().toStdString();
    if (count_ == 0) {
        count_edit_->setText("1");
        count_ = 1;
        prompts_.Inform(
            this, Tr(settings_,
                     "Value of continuous shooting must be more than 0, System already update it"));
    }
    if (ui_mode_->currentIndex() != settings_.ui_mode_in_use) {
        settings_.ui_mode_chosen = ui_mode_->currentIndex();
        prompts_.Inform(this, Tr(settings_, "UI has been modified, please restart the program"));
    }
    settings_.continuous_shooting_count = count_;
    settings_.image_type = image_type_->currentIndex();
    settings_.display_mode = display_mode_->currentIndex();
    settings_.unit_of_speed = unit_->currentIndex();
    settings_.sound_amplification = amplification_->currentIndex() + 1;
    if (language_->currentIndex() >= 0) {
        settings_.language_chosen = language_->currentData().toInt();
    }
    settings_.SaveLanguage();
    QDialog::accept();
    emit settingsApplied();
}

} // namespace korvex
