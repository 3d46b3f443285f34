#include "project/ProjectSettings.h"

#include "support/FieldValues.h"

#include <gtest/gtest.h>

namespace tornavel {
namespace {

TEST(ProjectSettings, StartValuesAreNewProjectOverTheFormDefaults) {
    ProjectSettings fromForm = ProjectSettings::formDefaults();
    EXPECT_EQ(fromForm.Win, 0);
    EXPECT_EQ(fromForm.BackgroundColor, -1);
    EXPECT_FALSE(fromForm.WindowVisible);
    EXPECT_FALSE(fromForm.AllowNoIcons);
    NewProject(fromForm);
    EXPECT_EQ(fromForm, ProjectSettings{});
    EXPECT_EQ(ProjectSettings{}.PreviewColor, 16711680u);
    for (const auto& icon : ProjectSettings{}.Icons) {
        EXPECT_EQ(icon.HotKey, -1);
        EXPECT_EQ(icon.IconIndex, "0");
    }
}

TEST(ProjectSettings, NewGivesEveryFieldItsStartValue) {
    ProjectSettings s = test::everyFieldChanged();
    ChangeLog log;
    NewProject(s, &log);
    EXPECT_EQ(s, ProjectSettings{});
    // The fields New once left alone come last, each once.
    const ChangeLog last = {FieldId::Password, FieldId::ShowLanguageDialog,
                            FieldId::BackColorDirection, iconField(0, IconPart::HotKey)};
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(ChangeLog(log.end() - 8, log.end() - 4), last);
}

TEST(ProjectSettings, NewOnDefaultsChangesNothing) {
    ProjectSettings s;
    ChangeLog log;
    NewProject(s, &log);
    EXPECT_TRUE(log.empty());
}

TEST(ProjectSettings, AnEmptyIconIndexBecomesZeroInOneChange) {
    ProjectSettings s;
    s.Icons[1].IconIndex = "";
    ChangeLog log;
    NewProject(s, &log);
    EXPECT_EQ(log, ChangeLog{iconField(1, IconPart::IconIndex)});
    EXPECT_EQ(s.Icons[1].IconIndex, "0");
}

TEST(ProjectSettings, WinAndWinNTAreNeverBothDisabled) {
    ProjectSettings s;
    ChangeLog log;
    setInt(s, FieldId::Win, 4, &log);
    EXPECT_EQ(s.WinNT, 1);
    setInt(s, FieldId::WinNT, 4, &log);
    EXPECT_EQ(s.Win, 1);
    EXPECT_EQ(s.WinNT, 4);
    EXPECT_EQ(log, (ChangeLog{FieldId::Win, FieldId::WinNT, FieldId::Win}));

    // Already apart: the correction moves the other group, logged after the change.
    s.Win = 4;
    s.WinNT = 2;
    log.clear();
    setInt(s, FieldId::WinNT, 4, &log);
    EXPECT_EQ(log, (ChangeLog{FieldId::WinNT, FieldId::Win}));
    EXPECT_EQ(s.Win, 1);
}

TEST(ProjectSettings, SettingTheSameValueOrTheWrongKindIsNoChange) {
    ProjectSettings s;
    ChangeLog log;
    setText(s, FieldId::AppName, "Můj program", &log);
    setBool(s, FieldId::AppName, true, &log);
    setText(s, FieldId::Win, "3", &log);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(s.Win, 2);
}

TEST(ProjectSettings, EveryFieldIdReachesItsOwnField) {
    for (int i = 0; i < kFieldCount; ++i) {
        const auto id = static_cast<FieldId>(i);
        ProjectSettings s;
        const FieldValue changed = test::changedValue(id);
        ChangeLog log;
        setField(s, id, changed, &log);
        EXPECT_EQ(getField(s, id), changed) << i;
        EXPECT_EQ(log, ChangeLog{id}) << i;
        // Exactly one field of the record differs from the defaults.
        int differing = 0;
        for (int j = 0; j < kFieldCount; ++j) {
            differing += getField(s, static_cast<FieldId>(j)) !=
                         getField(ProjectSettings{}, static_cast<FieldId>(j));
        }
        EXPECT_EQ(differing, 1) << i;
    }
}

TEST(ProjectSettings, FixedLists) {
    const auto& keys = HotKeyChoices();
    ASSERT_EQ(keys.size(), 103u);
    EXPECT_EQ(keys[0], "");
    EXPECT_EQ(keys[1], "Ctrl+A");
    EXPECT_EQ(keys[26], "Ctrl+Z");
    EXPECT_EQ(keys[27], "Alt+A");
    EXPECT_EQ(keys[53], "Ctrl+Alt+A");
    EXPECT_EQ(keys[78], "Ctrl+Alt+Z");
    EXPECT_EQ(keys[79], "F1");
    EXPECT_EQ(keys[90], "F12");
    EXPECT_EQ(keys[102], "Ctrl+F12");
    EXPECT_EQ(hotKeyText(-1), "");
    EXPECT_EQ(hotKeyText(103), "");

    EXPECT_EQ(BackgroundColors[11].name, "modrá");
    EXPECT_EQ(BackgroundColors[11].previewColor, 16711680u);
    EXPECT_EQ(BackgroundColors[0].previewColor, 128u);
    EXPECT_EQ(BackgroundColors[15].scriptLine, "BackColor=clBlack");
    EXPECT_EQ(BackgroundColors[2].previewColor, rgbColor(128, 128, 0));
}

} // namespace
} // namespace tornavel
