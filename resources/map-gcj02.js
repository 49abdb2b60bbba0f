// WGS-84 to GCJ-02, the datum of China's map services. The player sends GPS
// coordinates unchanged; tiles served in GCJ-02 need them shifted by a few
// hundred metres inside mainland China. Outside it the datum is WGS-84, and
// the usual bounding box stands in for the border.
'use strict';

var Gcj02 = (function () {
  const a = 6378245.0;                 // Krassovsky 1940 semi-major axis
  const ee = 0.00669342162296594323;   // its first eccentricity squared

  function outOfChina(lat, lon) {
    return lon < 72.004 || lon > 137.8347 || lat < 0.8293 || lat > 55.8271;
  }

  function shiftLat(x, y) {
    let d = -100.0 + 2.0 * x + 3.0 * y + 0.2 * y * y + 0.1 * x * y + 0.2 * Math.sqrt(Math.abs(x));
    d += (20.0 * Math.sin(6.0 * x * Math.PI) + 20.0 * Math.sin(2.0 * x * Math.PI)) * 2.0 / 3.0;
    d += (20.0 * Math.sin(y * Math.PI) + 40.0 * Math.sin(y / 3.0 * Math.PI)) * 2.0 / 3.0;
    d += (160.0 * Math.sin(y / 12.0 * Math.PI) + 320.0 * Math.sin(y * Math.PI / 30.0)) * 2.0 / 3.0;
    return d;
  }

  function shiftLon(x, y) {
    let d = 300.0 + x + 2.0 * y + 0.1 * x * x + 0.1 * x * y + 0.1 * Math.sqrt(Math.abs(x));
    d += (20.0 * Math.sin(6.0 * x * Math.PI) + 20.0 * Math.sin(2.0 * x * Math.PI)) * 2.0 / 3.0;
    d += (20.0 * Math.sin(x * Math.PI) + 40.0 * Math.sin(x / 3.0 * Math.PI)) * 2.0 / 3.0;
    d += (150.0 * Math.sin(x / 12.0 * Math.PI) + 300.0 * Math.sin(x / 30.0 * Math.PI)) * 2.0 / 3.0;
    return d;
  }

  // [lat, lon] in WGS-84 to [lat, lon] in GCJ-02.
  function fromWgs84(p) {
    const lat = p[0];
    const lon = p[1];
    if (outOfChina(lat, lon)) return [lat, lon];
    const radLat = lat / 180.0 * Math.PI;
    const s = Math.sin(radLat);
    const magic = 1 - ee * s * s;
    const sqrtMagic = Math.sqrt(magic);
    const dLat = shiftLat(lon - 105.0, lat - 35.0) * 180.0 / ((a * (1 - ee)) / (magic * sqrtMagic) * Math.PI);
    const dLon = shiftLon(lon - 105.0, lat - 35.0) * 180.0 / (a / sqrtMagic * Math.cos(radLat) * Math.PI);
    return [lat + dLat, lon + dLon];
  }

  return { fromWgs84: fromWgs84 };
})();
