#include "GPSReader.h"

#include "AutoVoxTrailerReader.h"
#include "AviGPSReader.h"
#include "BlackVueGpsReader.h"
#include "CammReader.h"
#include "DjiSrtReader.h"
#include "FreeGPSIndexReader.h"
#include "FreeGPSScanReader.h"
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

#include <algorithm>

// The order is the order of trust: the first dialect that yields a fix wins.
// A camera's text track comes before the binary blocks the same file may hold.
const std::vector<GPSReader>& GPSReaderRegistry() {
    using enum GPSReaderKind;
    static const std::vector<GPSReader> readers = {
        {"mov-text", "GPS texts in the text tracks of a MOV/MP4/3GP file", Embedded, {"MOV", "MP4", "3GP"},
         &MovTextGPSReader::recognise, &MovTextGPSReader::read},
        {"nmea-text", "NMEA sentences in the text or subtitle tracks of a MOV/MP4/3GP file", Embedded,
         {"MOV", "MP4", "3GP"}, &RecogniseNmeaTextTrack, &ReadNmeaTextTrack},
        // Telemetry tracks come before the block scan, which would read the whole file.
        {"gopro-gpmf", "GoPro GPMF telemetry (GPS5, GPS9, ACCL) in the 'gpmd' metadata track", Embedded, {"MP4"},
         RecogniseGpmf, ReadGpmf},
        {"google-camm", "Camera Motion Metadata packets (GPS, acceleration) in the 'camm' track", Embedded, {"MP4"},
         RecogniseCamm, ReadCamm},
        {"mov-freegps-index", "Novatek-family 'freeGPS ' boxes listed by the 'gps ' atom of a MOV/MP4 file", Embedded,
         {"MOV", "MP4"}, &RecogniseFreeGPSIndex, &ReadFreeGPSIndex},
        {"mov-blocks", "binary GPS blocks in 'free' atoms on 32 KiB boundaries of a MOV/MP4/3GP file", Embedded,
         {"MOV", "MP4", "3GP"}, &MovGPSBlockScanner::recognise, &MovGPSBlockScanner::read},
        {"avi-02gp", "GPS texts in the '02gp' chunks of an AVI file", Embedded, {"AVI"}, &AviGPSReader::recognise,
         &AviGPSReader::read},
        {"ts-1600", "GPS texts in the packets of PID 0x1600 of an MPEG transport stream", Embedded, {"TS"},
         &TsGPSReader::recognise, &TsGPSReader::read},
        {"ts-private", "Novatek GPS records or GPS texts in the private streams of an MPEG transport stream "
         "of 188- or 192-byte packets", Embedded, {"TS", "M2TS", "MTS"}, &RecogniseTsPrivateGPS, &ReadTsPrivateGPS},
        {"garmin-uuid", "Garmin fixes in a 'uuid' atom of 'moov'", Embedded, {"MP4", "MOV"}, RecogniseGarminUuid,
         ReadGarminUuid},
        {"kenwood-udta", "Kenwood text records in a top-level 'udta' atom", Embedded, {"MP4", "MOV"},
         RecogniseKenwoodUdta, ReadKenwoodUdta},
        {"mov-gps0", "fixes in a top-level 'gps0' atom, G-sensor readings in 'gsen' (DuDuBell, VSYS)", Embedded,
         {"MP4", "MOV"}, RecogniseGps0Atom, ReadGps0Atom},
        {"autovox-trailer", "'gps0' and 'gsen' chunks appended after the atoms of an MP4 (Auto-Vox)", Embedded,
         {"MP4", "MOV"}, RecogniseAutoVoxTrailer, ReadAutoVoxTrailer},
        {"70mai-gps", "70mai fixes in a top-level 'GPS ' atom, timed from the movie header", Embedded, {"MP4", "MOV"},
         RecogniseSeventyMaiGps, ReadSeventyMaiGps},
        {"insta360", "GPS records in the trailer Insta360 cameras append to their clips", Embedded, {"INSV", "MP4"},
         RecogniseInsta360, ReadInsta360},
        // Last of the MOV family: it reads the whole file.
        {"mov-freegps", "Novatek-family 'freeGPS ' boxes anywhere in a MOV/MP4 file", Embedded, {"MOV", "MP4"},
         &RecogniseFreeGPSScan, &ReadFreeGPSScan},
        {"dji-srt", "latitude and longitude fields of a DJI SubRip side file", SideFile, {"srt"}, RecogniseDjiSrt,
         ReadDjiSrt},
        {"nmea-side", "NMEA sentences in a .nmea file beside the clip", SideFile, {"nmea"}, &RecogniseNmeaSideFile,
         &ReadNmeaSideFile},
        {"blackvue-gps", "NMEA lines stamped [unix ms] in a .gps file beside the clip, with its .3gf accelerometer file",
         SideFile, {"gps"}, &RecogniseBlackVueGps, &ReadBlackVueGps},
        {"gpx-side", "a phone's GPX log beside the clip, cut to the clip's time span", SideFile, {"gpx"},
         &RecogniseGpxSideFile, &ReadGpxSideFile},
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
