#pragma once

#include "GPSPoint.h"
#include "MapBridge.h"
#include "MapProvider.h"
#include "TrackLoader.h"
#include "UnitFormat.h"

#include <QJsonArray>
#include <QVector>

#include <vector>

// The calls the window makes into the map page, with their argument types:
// the page tells text from numbers, and each page relies on the forms below.

// Empties the map: "clearPoints", then "add" with the texts "1" and "2".
QVector<PageCall> ClearPointsCalls();

// "clearPoints", one "addPoint" (lat, lon as text) per pair of lineArray, then
// "addPline". An odd last element is ignored.
QVector<PageCall> AddPlineCalls(const std::vector<double>& lineArray);

// "moveMyPosition", then "setCenter", both with args.
QVector<PageCall> MoveAndCenterCalls(const QJsonArray& args);

// Everything one load with points sends, as one batch: the polyline, the
// marker on the first point in the provider's form and "flyto" there, which
// always gets text.
QVector<PageCall> LoadCalls(const std::vector<double>& lineArray, LatLon firstPoint,
                            TrackSource source, const MapProvider& provider);

// The marker arguments of a timer tick: lat and lon as text, and the point's
// whole second as text too when the provider takes it.
QJsonArray TickPositionArgs(const GPSPoint& point, const MapProvider& provider);

// "showSpeedColours" with each point's speed in the chosen units, as numbers
// in the order of the points addPline drew, and the unit's symbol for the
// legend; with on false an empty list, which draws the track in one colour.
PageCall SpeedColoursCall(const GPSTrack& track, UnitSystem units, bool on);
