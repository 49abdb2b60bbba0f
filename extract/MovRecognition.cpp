#include "MovRecognition.h"

#include "Mp4Movie.h"

bool IsMovFamily(const GPSProbe& probe) {
    return probe.extension == "MOV" || probe.extension == "MP4" || probe.extension == "3GP" ||
           LooksLikeMp4(probe.head.data(), probe.head.size());
}
