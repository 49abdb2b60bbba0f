#include "MapBridge.h"

#include <QJSEngine>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A bare JavaScript engine standing in for the page: each page function
// records its name and arguments, so a test sees exactly what a page would.
class ScriptPage : public testing::Test {
protected:
    void SetUp() override
    {
        engine.evaluate(QStringLiteral(
            "var window = this; var calls = [];\n"
            "function recorder(name) { return function (...args) { calls.push([name, ...args]); }; }\n"
            "for (const name of ['clearPoints', 'addPoint', 'addPline', 'moveMyPosition', \"odd'name\"])\n"
            "  window[name] = recorder(name);\n"
            "window.notAFunction = 5;\n"
            "window.thrower = function () { calls.push(['thrower']); throw new Error('boom'); };\n"));
    }

    QJsonArray run(const QVector<PageCall>& calls)
    {
        const QJSValue result = engine.evaluate(PageCallScript(calls));
        EXPECT_FALSE(result.isError()) << result.toString().toStdString();
        const QString json = engine.evaluate(QStringLiteral("JSON.stringify(calls)")).toString();
        return QJsonDocument::fromJson(json.toUtf8()).array();
    }

    QJSEngine engine;
};

TEST_F(ScriptPage, CallsArriveInOrderWithNumbersAsNumbersAndTextsAsStrings)
{
    const QJsonArray recorded = run({{"clearPoints", {}},
                                     {"addPoint", {NumberText(22.5), NumberText(114.05)}},
                                     {"addPoint", {-22.5020567, 12}},
                                     {"addPoint", {std::nan(""), INFINITY}},
                                     {"addPline", {}},
                                     {"moveMyPosition", {22.5, 114.05, 0}}});
    const QJsonArray expected{QJsonArray{"clearPoints"},
                              QJsonArray{"addPoint", "22.5", "114.05"},
                              QJsonArray{"addPoint", -22.5020567, 12},
                              QJsonArray{"addPoint", QJsonValue::Null, QJsonValue::Null},  // not finite
                              QJsonArray{"addPline"},
                              QJsonArray{"moveMyPosition", 22.5, 114.05, 0}};
    EXPECT_EQ(recorded, expected);
    EXPECT_TRUE(engine.evaluate("typeof calls[2][1] === 'number' && typeof calls[1][1] === 'string'").toBool());

    // Numbers keep every bit on the way.
    engine.evaluate("calls = []");
    const double values[] = {0.1 + 0.2, 22.543210987654321, -113.93333333333334, 5e-324, 1e300};
    for (double value : values)
        run({{"addPoint", {value, value}}});
    engine.globalObject().setProperty("expected", engine.toScriptValue(QVariantList(std::begin(values), std::end(values))));
    EXPECT_TRUE(engine.evaluate("calls.every((call, i) => call[1] === expected[i] && call[2] === expected[i])").toBool());
}

TEST_F(ScriptPage, MissingFunctionsAreSkippedAndAFailingCallDoesNotStopTheRest)
{
    const QJsonArray expected{QJsonArray{"thrower"}, QJsonArray{"addPoint", "1", "2"}, QJsonArray{"addPline"}};
    EXPECT_EQ(run({{"noSuchFunction", {1}}, {"notAFunction", {}}, {"thrower", {}}, {"addPoint", {"1", "2"}}, {"addPline", {}}}),
              expected);
}

TEST_F(ScriptPage, HostileTextReachesThePageVerbatimAndRunsNothing)
{
    const QString texts[] = {
        QStringLiteral("'); calls.push(['injected']); ('"),
        QStringLiteral("\"); calls.push([\"injected\"]); (\""),
        QStringLiteral("\\\\\" </script><script>calls.push(['injected'])</script>"),
        QStringLiteral("line\nbreak\u2028separator\u2029${calls.push(['injected'])}"),
        QStringLiteral("中文 \u0000 nul"),
    };
    QJsonArray calls;
    for (const QString& text : texts)
        calls = run({{text, {}}, {"odd'name", {text}}});
    ASSERT_EQ(calls.size(), int(std::size(texts)));
    for (int i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i].toArray(), (QJsonArray{"odd'name", texts[i]}));
}

} // namespace
