#pragma once

#include "GPSData.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Turns NMEA 0183 sentences into records. The RMC and GGA sentences of one
// time make one record (date, speed and heading from RMC; altitude and fix
// quality from GGA; the dimension from GSA), and the vendor $GSENSOR readings
// between two fixes give that record's G-sensor values (their mean). A
// sentence whose checksum is present and wrong is dropped whole. Times are UTC.
class NmeaParser {
public:
    explicit NmeaParser(GPSData& out);

    // Reads every sentence of text: one starts at '$' and ends at CR, LF, the
    // next '$', any other control byte or the end of the text. unixMs, when a
    // camera stamped the line with its own clock, times a record whose
    // sentences carry no date. Returns false once out is full.
    bool readText(std::string_view text, std::optional<int64_t> unixMs = std::nullopt);

    // Adds the record still being built. Call once, after the last text.
    void finish();

    // The longest sentence read; the standard allows 82 characters, vendors a
    // few more. Longer runs are garbage, not NMEA.
    static constexpr size_t kMaxSentenceLength = 160;

private:
    struct Pending {
        GPSRecord record{};
        int64_t msOfDay = -1;              // -1: no record is being built
        std::optional<int64_t> dayStartMs;  // from the RMC date
        std::optional<int64_t> unixMs;
    };

    void readSentence(std::string_view sentence, std::optional<int64_t> unixMs);
    void readRmc(const std::string_view* fields, size_t count, std::optional<int64_t> unixMs);
    void readGga(const std::string_view* fields, size_t count, std::optional<int64_t> unixMs);
    void readGsa(const std::string_view* fields, size_t count);
    void readGSensor(const std::string_view* fields, size_t count);
    // The record of this time, after adding the one of another time.
    Pending& pendingAt(int64_t msOfDay, std::optional<int64_t> unixMs);
    void flush();
    void dateUndatedRecords();

    GPSData& out;
    Pending pending;
    // The last RMC date and its time of day, for GGA-only records after it.
    std::optional<int64_t> lastDayStartMs;
    int64_t lastDatedMsOfDay = 0;
    // Records added before any date was known, from this index on; and their times of day.
    size_t firstUndated = 0;
    std::vector<int64_t> undatedMsOfDay;
    double gSum[3] = {0, 0, 0};
    int gCount = 0;
    // A "$GSENSORSTARTTIME" header starts a block of readings at their own
    // rate, not interleaved with the fixes.
    bool gSensorBlock = false;
    bool stopped = false;
};
