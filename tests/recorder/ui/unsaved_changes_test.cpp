// Which changes of the record count as the user's: the comparison behind the close box's
// question.

#include "core/settings_files.h"
#include "core/unsaved_changes.h"

#include <gtest/gtest.h>

#include <functional>

namespace vorda::test {
namespace {

TEST(SettingsSnapshot, CountsWhatTheUserSetsAndNotWhatTheProgramRecords)
{
    struct Case {
        const char* what;
        std::function<void(Settings&)> change;
        bool counts;
    };
    const Case cases[] = {
        {"port", [](Settings& s) { s.portNumber = 4; }, true},
        {"port parameters", [](Settings& s) { setFieldText(s.portParams, ":9600,n,8,2,p"); }, true},
        {"sample count", [](Settings& s) { s.sampleCount = 77; }, true},
        {"channel name", [](Settings& s) { setFieldText(s.channel(3).name, "T3"); }, true},
        {"calibration point", [](Settings& s) { s.channel(16).rawPoint1 = 1000; }, true},
        {"number format", [](Settings& s) { s.channel(2).numberFormat = 3; }, true},
        {"trigger start", [](Settings& s) { setFieldText(s.triggerStartText, "45,5"); }, true},
        {"register reply", [](Settings& s) { s.status.freeMemory = 12; }, false},
        {"window geometry", [](Settings& s) { s.mainLeft = s.monitorHeight = 300; }, false},
        {"link flag", [](Settings& s) { s.portOpen = 1; }, false},
        {"last file", [](Settings& s) { setFieldText(s.lastFile, "/tmp/a.txt"); }, false},
        {"wizard channel", [](Settings& s) { s.currentChannel = 5; }, false},
        {"bytes after a name's end", [](Settings& s) { s.channel(1).name[10] = 'x'; }, false},
    };
    Settings loaded{};
    applyStartupDefaults(loaded, QStringLiteral("/tmp"));
    SettingsSnapshot snapshot;
    snapshot.take(loaded);
    EXPECT_FALSE(snapshot.differs(loaded));
    for (const Case& c : cases) {
        Settings changed = loaded;
        c.change(changed);
        EXPECT_EQ(snapshot.differs(changed), c.counts) << c.what;
    }

    // A scan's sample count from the recorder is adopted unless the user changed it first.
    Settings scanned = loaded;
    scanned.sampleCount = 2000;
    snapshot.adoptRecorderSampleCount(loaded.sampleCount, scanned.sampleCount);
    EXPECT_FALSE(snapshot.differs(scanned));
    snapshot.adoptRecorderSampleCount(loaded.sampleCount, 3000);
    scanned.sampleCount = 3000;
    EXPECT_TRUE(snapshot.differs(scanned));
}

}  // namespace
}  // namespace vorda::test
