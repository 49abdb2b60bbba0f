// The calls a page receives from a load and from a timer tick, recorded by a
// stand-in page: names, order, argument types and values, and batching.
#include "Settings.h"
#include "SideFileBuilder.h"
#include "WindowHarness.h"

#include <gtest/gtest.h>

namespace {

const QLocale kChina(QLocale::Chinese, QLocale::China);
const QLocale kGermany(QLocale::German, QLocale::Germany);

// N 22 deg 30.1234 min and N 22 deg 30.2000 min, E 113 deg 30.1234 min.
const QString kSideLat0 = QStringLiteral("22.502056666666668");
const QString kSideLat1 = QStringLiteral("22.503333333333334");
const QString kSideLon = QStringLiteral("113.50205666666666");

// Points as text, the vehicle as numbers (with the second on the Baidu page),
// whatever the locale's decimal separator, and the speed colours in the chosen
// units; then, paused before play, the timer keeps putting the marker on the
// first point and centring it.
TEST(PageCalls, ALoadDrawsTheLineAndTheTicksPlaceTheVehicleUnderEitherPage) {
    const QString embedded = QStringLiteral("clearPoints() addPoint(s:22.576129999999996, s:113.90535) "
                                            "addPoint(s:22.592796666666665, s:113.90535) addPline() ");
    const struct {
        QLocale locale;
        QByteArray settings;
        bool sideFile;  // else embedded texts
        QString expected;
        QString tick;  // the arguments of the tick's marker and centring calls, all text
    } cases[] = {
        {kGermany, {}, true,
         QStringLiteral("clearPoints() addPoint(s:%1, s:%3) addPoint(s:%2, s:%3) addPline() moveMyPosition(s:%1, s:%3) flyto(s:%1, s:%3)")
             .arg(kSideLat0, kSideLat1, kSideLon),
         QStringLiteral("s:%1, s:%2").arg(kSideLat0, kSideLon)},
        {kChina, {}, false, embedded + QStringLiteral("moveMyPosition(n:22.576129999999996, n:113.90535, n:0) flyto(s:22.576129999999996, s:113.90535)"),
         QStringLiteral("s:22.576129999999996, s:113.90535, s:0")},
        // Both fixes recorded about 65 km/h.
        {kGermany, "[display]\nunits=imperial\n[map]\nspeedColours=true\n", false,
         embedded + QStringLiteral("moveMyPosition(n:22.576129999999996, n:113.90535) flyto(s:22.576129999999996, s:113.90535) "
                                   "showSpeedColours(object:40.5,40.5, s:mph)"),
         QStringLiteral("s:22.576129999999996, s:113.90535")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        WindowHarness harness(c.locale);
        if (!c.settings.isEmpty()) WriteBytes(Settings::path(), c.settings);
        harness.startWith({c.sideFile ? harness.writeSideFileVideo(QStringLiteral("drive"), {SideFileRecord(301234, 0), SideFileRecord(302000, 1)})
                                      : harness.writeVideo(QStringLiteral("drive.MOV"), MovWithGPS(2))},
                          true);
        EXPECT_EQ(Describe(FirstBatch(harness.takeRecorded())), c.expected);
        QJsonArray ticks;
        EXPECT_TRUE(WaitFor([&] {
            for (const QJsonValue& call : harness.takeRecorded()) ticks.append(call);
            return ticks.size() >= 4;
        }));
        EXPECT_EQ(Describe(LastBatch(ticks)), QStringLiteral("moveMyPosition(%1) setCenter(%1)").arg(c.tick));
    }
}

}  // namespace
