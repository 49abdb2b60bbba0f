#include "GPSData.h"

bool GPSData::add(const GPSRecord& record) {
    if (full()) {
        truncated = true;
        return false;
    }
    records.push_back(record);
    return true;
}

bool GPSData::addAccel(const AccelSample& sample) {
    if (accel.size() >= kMaxAccelSamples) {
        truncated = true;
        return false;
    }
    accel.push_back(sample);
    return true;
}
