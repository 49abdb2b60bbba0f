#include "BlackVueFreeReader.h"

#include "BlackVueGpsReader.h"
#include "IsoAtoms.h"
#include "MovRecognition.h"
#include "NmeaSideFileReader.h"
#include "SubByteSource.h"

#include <optional>

namespace {

constexpr FourCC kFree = MakeFourCC("free");
constexpr FourCC kGpsLog = MakeFourCC("gps ");
constexpr FourCC kAccel = MakeFourCC("3gf ");
// The free atom holds a handful of atoms: copyright, start time, names, a thumbnail, the logs.
constexpr size_t kMaxChildren = 16;

struct Logs {
    std::optional<Mp4AtomRef> gps;
    std::optional<Mp4AtomRef> accel;
};

Logs FindLogs(ByteSource& source) {
    Logs logs;
    for (const Mp4AtomRef& atom : ReadTopLevelAtoms(source).atoms) {
        if (atom.type != kFree) continue;
        for (const Mp4AtomRef& child : ReadAtoms(source, atom.offset, atom.offset + atom.size, kMaxChildren).atoms) {
            if (child.type == kGpsLog && !logs.gps) logs.gps = child;
            if (child.type == kAccel && !logs.accel) logs.accel = child;
        }
        if (logs.gps) break;
    }
    return logs;
}

}  // namespace

bool RecogniseBlackVueFree(const GPSProbe& probe) { return IsMovFamily(probe); }

void ReadBlackVueFree(const GPSInput& input, GPSData& out) {
    const Logs logs = FindLogs(input.source);
    if (!logs.gps) return;
    SubByteSource gps(input.source, logs.gps->offset, logs.gps->size);
    const std::optional<int64_t> clipStart = ReadNmeaLog(gps, out);
    if (!logs.accel) return;
    SubByteSource accel(input.source, logs.accel->offset, logs.accel->size);
    ReadBlackVueAccel(accel, out);
    if (clipStart) AverageAccelIntoRecords(out);
}
