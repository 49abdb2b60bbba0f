#include "GPSRecord.h"

bool IsValidRecord(const GPSRecord& record) {
    return (record.latRef == 'N' || record.latRef == 'S') &&
           (record.lonRef == 'E' || record.lonRef == 'W');
}
