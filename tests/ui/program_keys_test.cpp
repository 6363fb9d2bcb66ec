// The program's key table as plain code: which key runs what, and the names the panel's
// tooltips and the list of keys show.
#include "ui/panel_layout.h"
#include "ui/program_keys.h"

#include <Qt>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvex {
namespace {

TEST(ProgramKeys, EachKeyRunsItsCommandAndModifiedKeysStayTheDesktops) {
    struct Case {
        int key;
        int modifiers;
        std::optional<KeyAction> action;
        int value;
    };
    const Case cases[] = {
        {Qt::Key_Space, 0, KeyAction::kTogglePause, 0},
        {Qt::Key_Period, 0, KeyAction::kButton, 217},
        {Qt::Key_Comma, 0, KeyAction::kButton, 216},
        {Qt::Key_Left, 0, KeyAction::kSeek, -5000},
        {Qt::Key_Right, Qt::KeypadModifier, KeyAction::kSeek, 5000},
        {Qt::Key_Up, 0, KeyAction::kSeek, 60000},
        {Qt::Key_Down, 0, KeyAction::kSeek, -60000},
        {Qt::Key_PageUp, 0, KeyAction::kButton, 233},
        {Qt::Key_PageDown, 0, KeyAction::kButton, 229},
        {Qt::Key_BracketLeft, 0, KeyAction::kSpeedSteps, -1},
        {Qt::Key_BracketRight, 0, KeyAction::kSpeedSteps, 1},
        {Qt::Key_Backspace, 0, KeyAction::kNormalSpeed, 0},
        {Qt::Key_F, Qt::ShiftModifier, KeyAction::kFullScreen, 0},
        {Qt::Key_S, 0, KeyAction::kButton, 220},
        {Qt::Key_M, 0, KeyAction::kButton, kMuteButton},
        {Qt::Key_9, 0, KeyAction::kVolumeSteps, -1},
        {Qt::Key_0, 0, KeyAction::kVolumeSteps, 1},
        {Qt::Key_I, 0, KeyAction::kButton, 237},
        {Qt::Key_O, 0, KeyAction::kButton, 238},
        {Qt::Key_B, 0, KeyAction::kButton, 235},
        {Qt::Key_F1, 0, KeyAction::kShowKeys, 0},
        {Qt::Key_Question, Qt::ShiftModifier, KeyAction::kShowKeys, 0},
        {Qt::Key_S, Qt::ControlModifier, std::nullopt, 0},
        {Qt::Key_Left, Qt::AltModifier, std::nullopt, 0},
        {Qt::Key_F1, Qt::MetaModifier, std::nullopt, 0},
        {Qt::Key_X, 0, std::nullopt, 0},
        {Qt::Key_Return, 0, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " modifiers " << c.modifiers);
        const std::optional<KeyBinding> found = FindProgramKey(c.key, c.modifiers);
        ASSERT_EQ(found.has_value(), c.action.has_value());
        if (found) {
            EXPECT_EQ(found->action, *c.action);
            EXPECT_EQ(found->value, c.value);
        }
    }
}

// A toggle repeats no more than once a press; a step, a seek or a volume change does, and only
// the volume, the mute and the list of keys work with nothing open.
TEST(ProgramKeys, WhatRepeatsAndWhatNeedsARecording) {
    for (const KeyBinding& key : ProgramKeys()) {
        SCOPED_TRACE(key.name);
        const bool stepping =
            key.action == KeyAction::kSeek || key.action == KeyAction::kSpeedSteps ||
            key.action == KeyAction::kVolumeSteps ||
            (key.action == KeyAction::kButton && (key.value == 216 || key.value == 217));
        EXPECT_EQ(key.repeats, stepping);
        const bool without = key.action == KeyAction::kVolumeSteps ||
                             key.action == KeyAction::kShowKeys ||
                             (key.action == KeyAction::kButton && key.value == kMuteButton);
        EXPECT_EQ(key.needs_recording, !without);
    }
}

TEST(ProgramKeys, TheNamesOnTheButtonsAndSliders) {
    using Names = std::vector<std::string>;
    const auto names = [](const std::vector<const char*>& list) {
        return Names(list.begin(), list.end());
    };
    EXPECT_EQ(names(KeyNamesOfButton(217)), Names{"."});
    EXPECT_EQ(names(KeyNamesOfButton(230)), Names{"Space"}); // Space pauses
    EXPECT_EQ(names(KeyNamesOfButton(233)), Names{"Page Up"});
    EXPECT_EQ(names(KeyNamesOfButton(237)), Names{"i"});
    EXPECT_EQ(names(KeyNamesOfButton(kBackupButton)), Names{});
    EXPECT_EQ(names(KeyNamesOfAction(KeyAction::kSpeedSteps)), (Names{"[", "]"}));
    EXPECT_EQ(names(KeyNamesOfAction(KeyAction::kVolumeSteps)), (Names{"9", "0"}));
}

TEST(ProgramKeys, TheListHasTheCellsOfEachCommandWithItsTranslatedTexts) {
    const QString list =
        KeyListText([](const char* key) { return QStringLiteral("<%1>").arg(QLatin1String(key)); });
    EXPECT_TRUE(list.startsWith("<table"));
    // Every text goes through the translation, and is escaped after it.
    EXPECT_TRUE(list.contains("<td><b>&lt;.&gt;</b></td><td>&lt;NextFrame&gt;</td>"))
        << list.toStdString();
    EXPECT_TRUE(list.contains("<td><b>&lt;F1&gt; / &lt;?&gt;</b></td><td>&lt;Keys&gt;</td>"))
        << list.toStdString();
    EXPECT_TRUE(list.contains("<td>&lt;Mute&gt;</td>"));
    // 21 commands (F1 and ? share one), in two halves side by side.
    EXPECT_EQ(list.count("<b>"), 21);
    EXPECT_EQ(list.count("<tr>"), 11);
}

} // namespace
} // namespace korvex
