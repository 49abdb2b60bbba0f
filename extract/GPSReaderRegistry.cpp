#include "GPSReader.h"

#include "AutoVoxTrailerReader.h"
#include "AviGPSReader.h"
#include "BlackVueFreeReader.h"
#include "BlackVueGpsReader.h"
#include "CammReader.h"
#include "DjiSrtReader.h"
#include "FreeGPSIndexReader.h"
#include "FreeGPSScanReader.h"
#include "GarminPndmReader.h"
#include "GarminUuidReader.h"
#include "GpmfReader.h"
#include "Gps0AtomReader.h"
#include "GpxSideFileReader.h"
#include "Insta360Reader.h"
#include "KenwoodUdtaReader.h"
#include "MovGPSBlockScanner.h"
#include "MovTextGPSReader.h"
#include "NmeaTextTrackReader.h"
#include "NmeaSideFileReader.h"
#include "SeventyMaiGpsReader.h"
#include "TsGPSReader.h"
#include "TsPrivateGPSReader.h"
#include "VantrueFmasReader.h"

#include <algorithm>

// The order is the order of trust: the first dialect that yields a fix wins.
// A camera's text track comes before the binary blocks the same file may hold.
const std::vector<GPSReader>& GPSReaderRegistry() {
    using enum GPSReaderKind;
    static const std::vector<GPSReader> readers = {
        {"mov-text", "GPS texts in the text tracks of a MOV/MP4/3GP file", Embedded, {"MOV", "MP4", "3GP"},
         &MovTextGPSReader::recognise, &MovTextGPSReader::read,
         {"dash cams writing the 11-field GPS text; text tracks FFmpeg writes (mov_text)", "1 Hz", "local", "ddmm.mmmm with N/S, E/W letters, speed knots", "hundredths of g, X, Y, Z in every text"}},
        {"nmea-text", "NMEA sentences in the text or subtitle tracks of a MOV/MP4/3GP file", Embedded,
         {"MOV", "MP4", "3GP"}, &RecogniseNmeaTextTrack, &ReadNmeaTextTrack,
         {"Thinkware (bare and letter-substituted sentences with gsensori readings) and other dash cams that put NMEA sentences in a subtitle track", "1–10 Hz", "UTC", "NMEA ddmm.mmmm, speed knots, altitude m (GGA)", "$GSENSOR lines or Thinkware gsensori readings"}},
        // Telemetry tracks come before the block scan, which would read the whole file.
        {"gopro-gpmf", "GoPro GPMF telemetry (GPS5, GPS9, ACCL) in the 'gpmd' metadata track", Embedded, {"MP4"},
         RecogniseGpmf, ReadGpmf,
         {"GoPro HERO5 and later, MAX, Fusion; the Karma drone", "10–18 Hz (Karma 4 Hz)", "UTC, milliseconds", "signed degrees, altitude m, speed m/s; fix 2/3 kept, 0 dropped", "ACCL at ~200 Hz, charted X lateral, Y forward, Z vertical"}},
        {"vantrue-fmas", "FMAS records in the samples of a 'gpmd' track", Embedded, {"MP4", "MOV"},
         &RecogniseVantrueFmas, &ReadVantrueFmas,
         {"Vantrue N2S", "1 Hz", "local", "degrees, minutes and 1/6000 minute with letters, speed mph",
          "three float32 in g per fix"}},
        {"garmin-pndm", "binary 'PNDM' fixes in the samples of a text track, timed from the movie header", Embedded,
         {"MP4", "MOV"}, &RecogniseGarminPndm, &ReadGarminPndm,
         {"Garmin Dash Cam 45/55/65W/66W and relatives", "1 Hz", "local (the camera's clock in mvhd)",
          "2^31 units per 180°, speed mph", "none"}},
        {"google-camm", "Camera Motion Metadata packets (GPS, acceleration) in the 'camm' track", Embedded, {"MP4"},
         RecogniseCamm, ReadCamm,
         {"Street View capture apps, phones and 360° cameras", "1–10 Hz", "UTC, milliseconds", "signed degrees, altitude m, speed from the velocity", "acceleration packets, m/s², camera axes"}},
        {"blackvue-free", "NMEA lines stamped [unix ms] and .3gf accelerometer records in the 'gps ' and '3gf ' "
         "atoms of a top-level 'free' atom", Embedded, {"MP4"}, &RecogniseBlackVueFree, &ReadBlackVueFree,
         {"BlackVue DR-series (MP4 recordings)", "1 Hz", "UTC", "NMEA ddmm.mmmm, speed knots",
          "10-byte .3gf records, 1/128 g"}},
        {"mov-freegps-index", "Novatek-family 'freeGPS ' boxes listed by the 'gps ' atom of a MOV/MP4 file", Embedded,
         {"MOV", "MP4"}, &RecogniseFreeGPSIndex, &ReadFreeGPSIndex,
         {"Novatek-chipset dash cams: Viofo, Vantrue, Kenwood, Transcend, Akaso, Azdome, E-ACE and many more", "1 Hz", "UTC (Kenwood: local)", "ddmm.mmmm floats with letters (some layouts obfuscated), speed knots", "in most layouts, per fix"}},
        {"mov-blocks", "binary GPS blocks in 'free' atoms on 32 KiB boundaries of a MOV/MP4/3GP file", Embedded,
         {"MOV", "MP4", "3GP"}, &MovGPSBlockScanner::recognise, &MovGPSBlockScanner::read,
         {"early Novatek-chipset dash cams", "1 Hz", "local", "ddmm.mmmm floats with letters, speed knots", "float X, Y, Z per fix"}},
        {"avi-02gp", "GPS texts in the '02gp' chunks of an AVI file", Embedded, {"AVI"}, &AviGPSReader::recognise,
         &AviGPSReader::read,
         {"AVI dash cams writing the 11-field GPS text", "1 Hz", "local", "ddmm.mmmm with letters, speed knots", "hundredths of g per fix"}},
        {"ts-1600", "GPS texts in the packets of PID 0x1600 of an MPEG transport stream", Embedded, {"TS"},
         &TsGPSReader::recognise, &TsGPSReader::read,
         {"TS dash cams writing the 11-field GPS text", "1 Hz", "local", "ddmm.mmmm with letters, speed knots", "hundredths of g per fix"}},
        {"ts-private", "Novatek GPS records or GPS texts in the private streams of an MPEG transport stream "
         "of 188- or 192-byte packets", Embedded, {"TS", "M2TS", "MTS"}, &RecogniseTsPrivateGPS, &ReadTsPrivateGPS,
         {"Novatek-chipset cameras recording TS (Blueskysea and others); cameras with private GPS text streams", "1 Hz", "UTC", "as the freeGPS records, or GPS texts", "as the records carry it"}},
        {"garmin-uuid", "Garmin fixes in a 'uuid' atom of 'moov'", Embedded, {"MP4", "MOV"}, RecogniseGarminUuid,
         ReadGarminUuid,
         {"Garmin Dash Cam / DriveAssist 51 family", "1 Hz", "UTC", "lat/lon in 2^31 units per 180°, speed mph", "none"}},
        {"kenwood-udta", "Kenwood text records in a top-level 'udta' atom", Embedded, {"MP4", "MOV"},
         RecogniseKenwoodUdta, ReadKenwoodUdta,
         {"Kenwood DRV-A301W and relatives", "1 Hz", "local", "ddmm.mmmm, altitude m, speed km/h", "thousandths of g, first triple of each record"}},
        {"mov-gps0", "fixes in a top-level 'gps0' atom, G-sensor readings in 'gsen' (DuDuBell, VSYS)", Embedded,
         {"MP4", "MOV"}, RecogniseGps0Atom, ReadGps0Atom,
         {"DuDuBell M1, VSYS M6L", "1 Hz fixes, 5 Hz G-sensor", "UTC", "signed ddmm.mmmm doubles, altitude m, speed km/h", "1/16 g at 5 Hz"}},
        {"autovox-trailer", "'gps0' and 'gsen' chunks appended after the atoms of an MP4 (Auto-Vox)", Embedded,
         {"MP4", "MOV"}, RecogniseAutoVoxTrailer, ReadAutoVoxTrailer,
         {"Auto-Vox dash cams", "1 Hz", "UTC", "ddmm.mmmm doubles with flags, speed knots", "1/24 g with millisecond times"}},
        {"70mai-gps", "70mai fixes in a top-level 'GPS ' atom, timed from the movie header", Embedded, {"MP4", "MOV"},
         RecogniseSeventyMaiGps, ReadSeventyMaiGps,
         {"70mai dash cams (Pro Plus+, A500, A800 family)", "1 Hz", "local", "ddmm.mmm ×1000 with letters, speed km/h ×1000", "none"}},
        {"insta360", "GPS records in the trailer Insta360 cameras append to their clips", Embedded, {"INSV", "MP4"},
         RecogniseInsta360, ReadInsta360,
         {"Insta360 ONE X/X2/X3, GO and other INSV writers", "1–10 Hz", "UTC", "degrees, speed m/s, altitude m", "not read"}},
        // Last of the MOV family: it reads the whole file.
        {"mov-freegps", "Novatek-family 'freeGPS ' boxes anywhere in a MOV/MP4 file", Embedded, {"MOV", "MP4"},
         &RecogniseFreeGPSScan, &ReadFreeGPSScan,
         {"Novatek-chipset dash cams whose files have no index of their boxes", "1 Hz", "UTC (Kenwood: local)", "as mov-freegps-index", "as mov-freegps-index"}},
        {"dji-srt", "latitude and longitude fields of a DJI SubRip side file", SideFile, {"srt"}, RecogniseDjiSrt,
         ReadDjiSrt,
         {"DJI drones and cameras (Mavic, Mini, Air, FPV, Osmo)", "the frame rate (25–60 Hz)", "local, milliseconds", "signed degrees, altitude m; no speed", "none"}},
        {"nmea-side", "NMEA sentences in a .nmea file beside the clip", SideFile, {"nmea"}, &RecogniseNmeaSideFile,
         &ReadNmeaSideFile,
         {"Mio/MiVue and other cameras writing .NMEA logs; GPS loggers", "1–10 Hz", "UTC", "NMEA ddmm.mmmm, speed knots, altitude m", "$GSENSOR lines when present"}},
        {"blackvue-gps", "NMEA lines stamped [unix ms] in a .gps file beside the clip, with its .3gf accelerometer file",
         SideFile, {"gps"}, &RecogniseBlackVueGps, &ReadBlackVueGps,
         {"BlackVue DR-series", "1 Hz", "the [unix ms] stamps, UTC", "NMEA ddmm.mmmm, speed knots", ".3gf file: 10-byte records, 1/128 g"}},
        {"gpx-side", "a phone's GPX log beside the clip, cut to the clip's time span", SideFile, {"gpx"},
         &RecogniseGpxSideFile, &ReadGpxSideFile,
         {"phones and GPS loggers (a GPX 1.0/1.1 track beside the clip)", "the log's", "UTC", "signed degrees, elevation m, speed m/s when given", "none"}},
    };
    return readers;
}

std::vector<std::string> VideoExtensions() {
    std::vector<std::string> extensions;
    for (const GPSReader& reader : GPSReaderRegistry()) {
        if (reader.kind != GPSReaderKind::Embedded) continue;
        for (const std::string& extension : reader.extensions) {
            if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end())
                extensions.push_back(extension);
        }
    }
    return extensions;
}
