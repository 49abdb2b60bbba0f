#pragma once

#include "GPSPoint.h"
#include "MapBridge.h"
#include "TrackLoader.h"

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
// marker on the first point and "flyto" there. The Baidu page gets the marker
// as (lat, lon, 0) in numbers; the Google page as text after a side-file load
// and as numbers after an embedded one. "flyto" always gets text.
QVector<PageCall> LoadCalls(const std::vector<double>& lineArray, LatLon firstPoint,
                            TrackSource source, bool baiduPage);

// The marker arguments of a timer tick: lat and lon as text, and for the Baidu
// page the point's whole second as text too.
QJsonArray TickPositionArgs(const GPSPoint& point, bool baiduPage);
