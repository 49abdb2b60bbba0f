#pragma once

#include <QLoggingCategory>

// The program's log: fixed messages of start-up and the catalogue, and the
// map page's console.
Q_DECLARE_LOGGING_CATEGORY(kolvarLog)
