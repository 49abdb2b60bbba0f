#pragma once

#include "GPSReader.h"

// A MOV, MP4 or 3GP file: by its extension, or by its first atom whatever its name.
bool IsMovFamily(const GPSProbe& probe);
