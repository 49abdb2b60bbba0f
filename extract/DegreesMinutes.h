#pragma once

// ddmm.mmmm (or dddmm.mmmm) to degrees, as GPS receivers and NMEA write
// coordinates. Worked in double rather than through a 32-bit integer, which
// gives the same result for every value a camera writes and no undefined
// conversion for NaN or values beyond the integer range.
double DegreesFromDegreesMinutes(double packed);
