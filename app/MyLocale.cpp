#include "MyLocale.h"

#include <QLocale>

bool MyLocale::isCountryChina() {
    // QLocale() is the system locale unless QLocale::setDefault chose another.
    return QLocale::territoryToCode(QLocale().territory()) == QLatin1String("CN");
}
