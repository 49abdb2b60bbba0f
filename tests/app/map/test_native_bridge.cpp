#include "PageHarness.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<QtMsgType, QString>> kolvarMessages;

void keepKolvarMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (QLatin1String(context.category) == QLatin1String("kolvar"))
        kolvarMessages.emplace_back(type, message);
}

TEST(NativeInPage, IsThereFromTheFirstScriptOffersOnlyTheThreeCallbacksAndLogsTheConsole)
{
    const QUrl firstScriptPage = QUrl::fromLocalFile(QStringLiteral(KOLVAR_MAP_TEST_PAGES "/first-script.html"));
    PageHarness harness;
    ASSERT_TRUE(harness.loadAndWaitForScript(firstScriptPage));
    EXPECT_EQ(harness.evaluate("seenFirst + ', ' + echoedFirst").toString(), "object, first script");
    EXPECT_EQ(harness.loadedCalls, 1);

    EXPECT_EQ(harness.evaluate("native.AddLineComplete(42)").toInt(), 42);
    ASSERT_TRUE(harness.waitFor([&] { return harness.lineCompleteCalls == 1; }));
    // Values JSON cannot carry are still handed back in the page and still
    // reach the program.
    EXPECT_TRUE(harness.evaluate("(() => { const o = {}; o.self = o; const f = () => 1;"
                                 " return native.AddLineComplete(o) === o && native.onJSLoaded(f) === f"
                                 " && native.AddLineComplete() === undefined; })()").toBool());
    EXPECT_TRUE(harness.waitFor([&] { return harness.lineCompleteCalls == 3 && harness.loadedCalls == 2; }));

    EXPECT_EQ(harness.evaluate("JSON.stringify(Object.getOwnPropertyNames(native))").toString(),
              R"(["onJSLoaded","AddLineComplete","onTrackClicked"])");
    // A click reaches the program only as two finite numbers.
    harness.evaluate("native.onTrackClicked('22,113'); native.onTrackClicked([1]); native.onTrackClicked([1, 'x']);"
                     " native.onTrackClicked([22.5, 113.25])");
    ASSERT_TRUE(harness.waitFor([&] { return !harness.trackClicks.isEmpty(); }));
    EXPECT_EQ(harness.trackClicks, QVector<QPointF>{QPointF(22.5, 113.25)});
    // Nothing else of the object behind it is callable.
    for (const char* member : {"deleteLater", "destroyed", "objectName", "toString", "onJSLoadedChanged"}) {
        const QString call = QStringLiteral("(() => { try { native['%1'](); return 'called'; } catch (e) { return e.name; } })()");
        EXPECT_EQ(harness.evaluate(call.arg(QLatin1String(member))).toString(), "TypeError") << member;
    }
    // Nor can the page send raw messages over the channel behind it, or swap native out.
    EXPECT_EQ(harness.evaluate("qt.webChannelTransport.send = () => 0; delete qt.webChannelTransport;"
                               " JSON.stringify(Object.keys(qt.webChannelTransport))").toString(), R"(["onmessage"])");
    EXPECT_EQ(harness.evaluate("window.native = {}; native.extra = 1; delete native.onJSLoaded;"
                               " typeof native.onJSLoaded + ',' + typeof native.extra").toString(), "function,undefined");

    // The page's console goes to the kolvar log at its level.
    const QtMessageHandler previous = qInstallMessageHandler(keepKolvarMessages);
    harness.evaluate("console.log('plain note'); console.warn('odd value'); console.error('broken')");
    const bool arrived = harness.waitFor([] { return kolvarMessages.size() >= 3; });
    qInstallMessageHandler(previous);
    ASSERT_TRUE(arrived);
    const std::pair<QtMsgType, const char*> expected[] = {{QtInfoMsg, "plain note"}, {QtWarningMsg, "odd value"}, {QtCriticalMsg, "broken"}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(kolvarMessages[i].first == expected[i].first && kolvarMessages[i].second.contains(expected[i].second))
            << kolvarMessages[i].second.toStdString();

    // Every load gets a fresh page world, and native with it.
    ASSERT_TRUE(harness.loadAndWaitForScript(firstScriptPage));
    EXPECT_EQ(harness.evaluate("native.AddLineComplete('still here')").toString(), "still here");
    EXPECT_TRUE(harness.waitFor([&] { return harness.lineCompleteCalls == 4; }));
}

} // namespace
