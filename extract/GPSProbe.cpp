#include "ExtractGPSRecords.h"
#include "GPSReader.h"

#include <algorithm>

GPSProbe GPSProbe::Of(ByteSource& source, const std::string& path) {
    GPSProbe probe{source, path, path.empty() ? std::string{} : GetUpperExtension(path), {}};
    probe.head.resize(static_cast<size_t>(std::min<int64_t>(source.size(), kHeadSize)));
    probe.head.resize(source.readAt(0, probe.head.data(), probe.head.size()));
    return probe;
}
