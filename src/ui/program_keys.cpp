#include "ui/program_keys.h"

#include "app/translation_keys.h"
#include "ui/panel_layout.h"

#include <QStringList>
#include <Qt>
#include <algorithm>
#include <array>

namespace korvex {
namespace {

constexpr int kPauseButton = 230;

// The habits of the common Linux players, on top of Space and the panel's own buttons.
constexpr std::array<KeyBinding, 22> kKeys = {{
    {Qt::Key_Space, TextKey("Space"), KeyAction::kTogglePause, 0, TextKey("Pause"), false, true},
    {Qt::Key_Period, ".", KeyAction::kButton, 217, nullptr, true, true},
    {Qt::Key_Comma, ",", KeyAction::kButton, 216, nullptr, true, true},
    {Qt::Key_Left, TextKey("Left"), KeyAction::kSeek, -5000, TextKey("Back 5 s"), true, true},
    {Qt::Key_Right, TextKey("Right"), KeyAction::kSeek, 5000, TextKey("Forward 5 s"), true, true},
    {Qt::Key_Down, TextKey("Down"), KeyAction::kSeek, -60000, TextKey("Back 60 s"), true, true},
    {Qt::Key_Up, TextKey("Up"), KeyAction::kSeek, 60000, TextKey("Forward 60 s"), true, true},
    {Qt::Key_PageUp, TextKey("Page Up"), KeyAction::kButton, 233, nullptr, false, true},
    {Qt::Key_PageDown, TextKey("Page Down"), KeyAction::kButton, 229, nullptr, false, true},
    {Qt::Key_BracketLeft, "[", KeyAction::kSpeedSteps, -1, TextKey("Slower"), true, true},
    {Qt::Key_BracketRight, "]", KeyAction::kSpeedSteps, 1, TextKey("Faster"), true, true},
    {Qt::Key_Backspace, TextKey("Backspace"), KeyAction::kNormalSpeed, 0, TextKey("Normal Speed"),
     false, true},
    {Qt::Key_B, "b", KeyAction::kButton, 235, nullptr, false, true},
    {Qt::Key_F, "f", KeyAction::kFullScreen, 0, TextKey("Full Screen"), false, true},
    {Qt::Key_S, "s", KeyAction::kButton, 220, nullptr, false, true},
    {Qt::Key_M, "m", KeyAction::kButton, kMuteButton, TextKey("Mute"), false, false},
    {Qt::Key_9, "9", KeyAction::kVolumeSteps, -1, TextKey("Volume Down"), true, false},
    {Qt::Key_0, "0", KeyAction::kVolumeSteps, 1, TextKey("Volume Up"), true, false},
    {Qt::Key_I, "i", KeyAction::kButton, 237, nullptr, false, true},
    {Qt::Key_O, "o", KeyAction::kButton, 238, nullptr, false, true},
    {Qt::Key_F1, "F1", KeyAction::kShowKeys, 0, TextKey("Keys"), false, false},
    {Qt::Key_Question, "?", KeyAction::kShowKeys, 0, TextKey("Keys"), false, false},
}};

} // namespace

std::span<const KeyBinding> ProgramKeys() {
    return kKeys;
}

std::optional<KeyBinding> FindProgramKey(int key, int modifiers) {
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(kKeys, key, &KeyBinding::key);
    if (found == kKeys.end()) {
        return std::nullopt;
    }
    return *found;
}

std::vector<const char*> KeyNamesOfButton(int control) {
    std::vector<const char*> names;
    for (const KeyBinding& binding : kKeys) {
        if ((binding.action == KeyAction::kButton && binding.value == control) ||
            (binding.action == KeyAction::kTogglePause && control == kPauseButton)) {
            names.push_back(binding.name);
        }
    }
    return names;
}

std::vector<const char*> KeyNamesOfAction(KeyAction action) {
    std::vector<const char*> names;
    for (const KeyBinding& binding : kKeys) {
        if (binding.action == action) {
            names.push_back(binding.name);
        }
    }
    return names;
}

const char* KeyDescription(const KeyBinding& key) {
    if (key.description != nullptr) {
        return key.description;
    }
    const auto button = std::ranges::find(kPanelButtons, key.value, &PanelButton::control);
    return button != kPanelButtons.end() ? button->tooltip_key : "";
}

QString KeyListText(const std::function<QString(const char*)>& translate) {
    QStringList cells; // one key's two cells each
    for (auto key = kKeys.begin(); key != kKeys.end();) {
        // Keys that do the same share their cells.
        QStringList names;
        const auto same = [&](const KeyBinding& other) {
            return other.action == key->action && other.value == key->value;
        };
        const auto end = std::find_if_not(key, kKeys.end(), same);
        for (auto name = key; name != end; ++name) {
            names << translate(name->name).toHtmlEscaped();
        }
        cells << QStringLiteral("<td><b>%1</b></td><td>%2</td>")
                     .arg(names.join(QStringLiteral(" / ")),
                          translate(KeyDescription(*key)).toHtmlEscaped());
        key = end;
    }
    // Two halves side by side, so that the box is not a tall strip.
    const qsizetype half = (cells.size() + 1) / 2;
    QString rows;
    for (qsizetype row = 0; row < half; ++row) {
        const QString right = row + half < cells.size() ? cells[row + half] : QString();
        rows += QStringLiteral("<tr>%1<td width=\"24\"></td>%2</tr>").arg(cells[row], right);
    }
    return QStringLiteral("<table cellspacing=\"2\" cellpadding=\"3\">%1</table>").arg(rows);
}

} // namespace korvex
