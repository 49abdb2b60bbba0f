#include "MapProvider.h"

#include "MyLocale.h"

namespace {

const MapProvider kGoogleMap{QStringLiteral("GoogleMap"), std::nullopt, "none", MapProvider::MarkerArgs::LatLon, false};

const MapProvider kBaiduMap{
    QStringLiteral("BaiduMap"),
    TileSource{QStringLiteral("autonavi"),
               QStringLiteral("https://webrd0{s}.is.autonavi.com/appmaptile?lang=zh_cn&size=1&scale=1&style=8&x={x}&y={y}&z={z}"),
               QStringLiteral("1234"), 18, QStringLiteral(R"(&copy; <a href="https://www.amap.com/">高德地图 AutoNavi</a>)")},
    "GCJ-02", MapProvider::MarkerArgs::LatLonSecond, true};

}  // namespace

const MapProvider& GoogleMapProvider() { return kGoogleMap; }

const MapProvider& BaiduMapProvider() { return kBaiduMap; }

const MapProvider& LocaleMapProvider() { return MyLocale::isCountryChina() ? kBaiduMap : kGoogleMap; }
