#include "KolvarLog.h"

Q_LOGGING_CATEGORY(kolvarLog, "kolvar")
