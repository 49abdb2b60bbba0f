#include "MeasureText.h"

#include <QCoreApplication>

namespace {

// The symbols UnitFormat gives, marked for translation; an unknown one shows as it is.
constexpr const char* kSymbols[] = {
    QT_TRANSLATE_NOOP("Units", "km/h"), QT_TRANSLATE_NOOP("Units", "mph"), QT_TRANSLATE_NOOP("Units", "m"),
    QT_TRANSLATE_NOOP("Units", "km"),   QT_TRANSLATE_NOOP("Units", "ft"),  QT_TRANSLATE_NOOP("Units", "mi"),
};

}  // namespace

QString UnitSymbol(const std::string& unit) {
    for (const char* symbol : kSymbols)
        if (unit == symbol) return QCoreApplication::translate("Units", symbol);
    return QString::fromStdString(unit);
}

QString MeasureText(const Measure& measure) {
    return QStringLiteral("%1 %2").arg(QString::fromStdString(measure.value), UnitSymbol(measure.unit));
}
