#pragma once

#include "UnitFormat.h"

#include <QString>

// A unit's symbol in the user's language ("km/h", "mi").
QString UnitSymbol(const std::string& unit);

// "35 mph": the number, a blank and the symbol.
QString MeasureText(const Measure& measure);
