#include "ExtractGPSRecords.h"

#include "AviGPSReader.h"
#include "MovGPSBlockScanner.h"
#include "MovTextGPSReader.h"
#include "RepairGPSRecords.h"
#include "TsGPSReader.h"

#include <cctype>

std::string GetUpperExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? path : path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

void ReadGPSRecords(const char* path, GPSRecord* records, int32_t& count) {
    const std::string extension = GetUpperExtension(path);
    if (extension == "MOV" || extension == "MP4" || extension == "3GP") {
        MovTextGPSReader().read(path, records, count);
        // The block scan is the fallback for cameras that write no text track.
        if (count == 0) MovGPSBlockScanner().read(path, records, count);
    } else if (extension == "AVI") {
        AviGPSReader().read(path, records, count);
    } else if (extension == "TS") {
        TsGPSReader().read(path, records, count);
    }
}

void ExtractGPSRecords(const char* path, GPSRecord* records, int32_t& count) {
    ReadGPSRecords(path, records, count);
    RepairGPSRecords(records, count);
}
