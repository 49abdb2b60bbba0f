#include "MapBridge.h"

#include <QJSEngine>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Calls arrive in order, numbers as numbers with every bit, texts as strings;
// a missing function is skipped, a failing one does not stop the rest, and
// hostile text reaches the page verbatim and runs nothing.
TEST(PageCallScript, CallsArriveAsSentAndHostileTextRunsNothing)
{
    // A bare JavaScript engine stands in for the page: each page function records its name and arguments.
    QJSEngine engine;
    engine.evaluate(QStringLiteral(
        "var window = this; var calls = [];\n"
        "function recorder(name) { return function (...args) { calls.push([name, ...args]); }; }\n"
        "for (const name of ['clearPoints', 'addPoint', 'addPline', 'moveMyPosition', \"odd'name\"])\n"
        "  window[name] = recorder(name);\n"
        "window.notAFunction = 5;\n"
        "window.thrower = function () { calls.push(['thrower']); throw new Error('boom'); };\n"));
    const QString hostile[] = {
        QStringLiteral("'); calls.push(['injected']); ('"),
        QStringLiteral("\"); calls.push([\"injected\"]); (\""),
        QStringLiteral("\\\\\" </script><script>calls.push(['injected'])</script>"),
        QStringLiteral("line\nbreak\u2028separator\u2029${calls.push(['injected'])}"),
        QStringLiteral("中文 \u0000 nul"),
    };
    QVector<PageCall> calls{{"clearPoints", {}}, {"addPoint", {NumberText(22.5), NumberText(114.05)}},
                            {"addPoint", {-22.5020567, 12}}, {"addPoint", {std::nan(""), INFINITY}},
                            {"noSuchFunction", {1}}, {"notAFunction", {}}, {"thrower", {}},
                            {"moveMyPosition", {22.5, 114.05, 0}}};
    QJsonArray expected{QJsonArray{"clearPoints"}, QJsonArray{"addPoint", "22.5", "114.05"},
                        QJsonArray{"addPoint", -22.5020567, 12},
                        QJsonArray{"addPoint", QJsonValue::Null, QJsonValue::Null}, // not finite
                        QJsonArray{"thrower"}, QJsonArray{"moveMyPosition", 22.5, 114.05, 0}};
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
    const QJSValue result = engine.evaluate(PageCallScript(calls));
    EXPECT_FALSE(result.isError()) << result.toString().toStdString();
    // JSON keeps strings apart from numbers and prints every double so that it reads back exactly.
    const QString json = engine.evaluate(QStringLiteral("JSON.stringify(calls)")).toString();
    EXPECT_EQ(QJsonDocument::fromJson(json.toUtf8()).array(), expected);
}

TEST(NumberText, ShortestTextThatJavaScriptReadsBack)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> exact[] = {
        {12.0, "12"}, {-3.0, "-3"}, {1e20, "100000000000000000000"}, {0.0, "0"}, {-0.0, "0"},
        {114.05, "114.05"}, {-22.5, "-22.5"}, {0.1 + 0.2, "0.30000000000000004"},
        {std::nan(""), "NaN"}, {infinity, "Infinity"}, {-infinity, "-Infinity"}};
    for (const auto& [value, text] : exact)
        EXPECT_EQ(NumberText(value), text) << text;

    // Coordinates without an exponent, extreme magnitudes with one; all read back exactly.
    const std::pair<double, bool> readBack[] = {
        {-(301234.0 / 600000.0) - 22.0, false}, {22.543210987654321, false}, {113.93333333333334, false}, {-179.99999999999997, false},
        {89.999999, false}, {1e-7, false}, {3.5e-7, false}, {123456.789, false},
        {1e21, true}, {-2.5e300, true}, {1e-8, true}, {std::numeric_limits<double>::denorm_min(), true}};
    for (const auto& [value, exponent] : readBack) {
        const QString text = NumberText(value);
        EXPECT_EQ(std::strtod(text.toLatin1().constData(), nullptr), value) << text.toStdString();
        EXPECT_EQ(text.contains('e'), exponent) << text.toStdString();
    }
}

} // namespace
