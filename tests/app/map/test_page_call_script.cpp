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

// Calls arrive in order, numbers as numbers with every bit, texts as strings;
// a missing function is skipped, a failing one does not stop the rest, and
// hostile text reaches the page verbatim and runs nothing.
TEST_F(ScriptPage, CallsArriveAsSentAndHostileTextRunsNothing)
{
    const QString hostile[] = {
        QStringLiteral("'); calls.push(['injected']); ('"),
        QStringLiteral("\"); calls.push([\"injected\"]); (\""),
        QStringLiteral("\\\\\" </script><script>calls.push(['injected'])</script>"),
        QStringLiteral("line\nbreak\u2028separator\u2029${calls.push(['injected'])}"),
        QStringLiteral("中文 \u0000 nul"),
    };
    QVector<PageCall> calls{{"clearPoints", {}},
                            {"addPoint", {NumberText(22.5), NumberText(114.05)}},
                            {"addPoint", {-22.5020567, 12}},
                            {"addPoint", {std::nan(""), INFINITY}},
                            {"noSuchFunction", {1}},
                            {"notAFunction", {}},
                            {"thrower", {}},
                            {"moveMyPosition", {22.5, 114.05, 0}}};
    QJsonArray expected{QJsonArray{"clearPoints"},
                        QJsonArray{"addPoint", "22.5", "114.05"},
                        QJsonArray{"addPoint", -22.5020567, 12},
                        QJsonArray{"addPoint", QJsonValue::Null, QJsonValue::Null}, // not finite
                        QJsonArray{"thrower"},
                        QJsonArray{"moveMyPosition", 22.5, 114.05, 0}};
    for (const QString& text : hostile) {
        calls.push_back({text, {}});
        calls.push_back({"odd'name", {text}});
        expected.append(QJsonArray{"odd'name", text});
    }
    const double values[] = {0.1 + 0.2, 22.543210987654321, -113.93333333333334, 5e-324, 1e300};
    for (double value : values) {
        calls.push_back({"addPline", {value, value}});
        expected.append(QJsonArray{"addPline", value, value});
    }
    EXPECT_EQ(run(calls), expected);
    EXPECT_TRUE(engine.evaluate("typeof calls[2][1] === 'number' && typeof calls[1][1] === 'string'").toBool());
    engine.globalObject().setProperty("expected", engine.toScriptValue(QVariantList(std::begin(values), std::end(values))));
    EXPECT_TRUE(engine.evaluate("calls.slice(-5).every((call, i) => call[1] === expected[i] && call[2] === expected[i])").toBool());
}

} // namespace
