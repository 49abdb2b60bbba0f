#pragma once

#include <string>
#include <string_view>

// Some cameras write NMEA into their text tracks in a form of their own:
// Thinkware drops the '$' and joins sentences and its readings with ';'
// ("gsensori,4,512,-67,-12,100;GNRMC,161313.00,A,...;CAR,..."), and some
// hide the sample behind a published letter substitution, marked by a
// closing "*HH~". This gives the plain sentences NmeaParser reads, the
// readings as $GSENSOR in g; other text comes back as it was.
std::string TextSampleAsNmea(std::string_view sample);
