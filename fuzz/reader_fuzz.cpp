// One registered reader, named by KOLVAR_FUZZ_READER, on arbitrary bytes in
// memory: it ends, stays within its bounds and stores only what it decoded.
// KOLVAR_FUZZ_LIST=1 prints the readers' ids, one a line, and exits, so the
// fuzz script takes its list of targets from the registry itself.
#include "ExtractGPSRecords.h"
#include "GPSReader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const GPSReader* chosen = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::getenv("KOLVAR_FUZZ_LIST")) {
        for (const GPSReader& reader : GPSReaderRegistry()) std::printf("%s\n", reader.id);
        std::exit(0);
    }
    const char* id = std::getenv("KOLVAR_FUZZ_READER");
    for (const GPSReader& reader : GPSReaderRegistry()) {
        if (id && std::strcmp(reader.id, id) == 0) chosen = &reader;
    }
    // Without a reader named, the whole front end is the target.
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryByteSource source(data, size);
    if (chosen == nullptr) {
        const GPSExtraction extraction = ReadGPSData(source, "fuzz");
        if (extraction.data.records.size() > GPSData::kMaxGPSRecords) std::abort();
        return 0;
    }
    const GPSProbe probe = GPSProbe::Of(source, {});
    chosen->recognise(probe);
    GPSData out;
    chosen->read(GPSInput{source, {}}, out);
    if (out.records.size() > GPSData::kMaxGPSRecords || out.accel.size() > GPSData::kMaxAccelSamples) std::abort();
    return 0;
}
