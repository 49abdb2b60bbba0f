// The script contract the player drives, shared by GoogleMap.html and
// BaiduMap.html. A page calls KolvarMap.start() with its coordinate conversion
// and what to do once a line is drawn; the contract functions then
// live on window, where the player looks for them.
'use strict';

var KolvarMap = (function () {
  // Coordinates arrive as numbers or as decimal text; anything that does not
  // read as a position on the globe is dropped rather than handed to Leaflet,
  // which would throw and leave the line half built.
  function degrees(value) {
    if (typeof value === 'number') return value;
    if (typeof value === 'string') return parseFloat(value);
    return NaN;
  }

  function position(lat, lon) {
    const la = degrees(lat);
    const lo = degrees(lon);
    if (!Number.isFinite(la) || !Number.isFinite(lo)) return null;
    if (Math.abs(la) > 90 || Math.abs(lo) > 180) return null;
    return [la, lo];
  }

  const trackStyle = { color: '#d7263d', weight: 4, opacity: 0.9, lineJoin: 'round' };
  const vehicleStyle = {
    pane: 'vehicle', radius: 8, weight: 3, color: '#ffffff',
    fillColor: '#1565c0', fillOpacity: 1, interactive: false,
  };
  const startZoom = 16;

  function start(options) {
    const map = L.map('map', {
      center: options.center,
      zoom: options.zoom,
      zoomControl: true,
      worldCopyJump: true,
    });
    // Both systems: the page does not know which one the user chose.
    L.control.scale({ metric: true, imperial: true }).addTo(map);
    // The vehicle stays above the track however often the track is redrawn.
    map.createPane('vehicle').style.zIndex = 650;

    const toMap = options.toMap || function (p) { return p; };
    let vertices = [];
    // The points as the player sent them, beside the drawn ones, so that a
    // click is reported in the track's own coordinates whatever the shift.
    let sources = [];
    let line = null;
    let vehicle = null;

    function mapPosition(lat, lon) {
      const p = position(lat, lon);
      return p && toMap(p);
    }

    // The map keeps the vehicle in view until the user pans or zooms; the
    // follow control hands the view back. The page's own view changes are
    // made unanimated inside ownView, so they are told from the user's.
    let following = true;
    let centred = null;
    let ownMove = false;
    let followButton = null;

    function ownView(change) {
      ownMove = true;
      try { change(); } finally { ownMove = false; }
    }

    function setFollowing(on) {
      following = on;
      if (followButton) followButton.classList.toggle('kolvar-following', on);
    }

    function centreOn(p) {
      centred = L.latLng(p);
      map.panTo(p);
    }

    const FollowControl = L.Control.extend({
      options: { position: 'topleft' },
      onAdd: function () {
        const bar = L.DomUtil.create('div', 'leaflet-bar');
        followButton = L.DomUtil.create('a', 'kolvar-follow kolvar-following', bar);
        followButton.href = '#';
        followButton.title = options.followTitle || 'Follow the vehicle';
        followButton.setAttribute('role', 'button');
        followButton.setAttribute('aria-label', followButton.title);
        L.DomEvent.disableClickPropagation(bar);
        L.DomEvent.on(followButton, 'click', function (event) {
          L.DomEvent.preventDefault(event);
          setFollowing(true);
          if (vehicle) centreOn(vehicle.getLatLng());
        });
        return bar;
      },
    });
    new FollowControl().addTo(map);

    map.on('dragstart', function () { setFollowing(false); });
    map.on('zoomstart', function () { if (!ownMove) setFollowing(false); });
    map.on('keydown', function (event) {
      if (event.originalEvent && /^Arrow/.test(event.originalEvent.key)) setFollowing(false);
    });

    // The drive coloured by speed lies over the line, which stays (unseen)
    // for the view and for clicks. Runs of points in the same colour band
    // share one polyline, so a long drive costs a few dozen layers.
    let speedLayer = null;
    let speedLegend = null;
    const speedBands = 24;

    function speedColour(fraction) {
      return 'hsl(' + Math.round(120 * (1 - fraction)) + ', 85%, 42%)';
    }

    function removeSpeedColours() {
      if (speedLayer) speedLayer.remove();
      speedLayer = null;
      if (speedLegend) speedLegend.remove();
      speedLegend = null;
      if (line) line.setStyle({ opacity: trackStyle.opacity });
    }

    function addSpeedLegend(low, top, unit) {
      speedLegend = L.control({ position: 'bottomright' });
      speedLegend.onAdd = function () {
        const box = L.DomUtil.create('div', 'kolvar-speed-legend');
        const bar = L.DomUtil.create('div', 'kolvar-speed-bar', box);
        bar.style.background = 'linear-gradient(to right, ' + [0, 0.5, 1].map(speedColour).join(', ') + ')';
        const scale = L.DomUtil.create('div', 'kolvar-speed-scale', box);
        L.DomUtil.create('span', '', scale).textContent = String(Math.round(low));
        L.DomUtil.create('span', '', scale).textContent = Math.round(top) + ' ' + unit;
        return box;
      };
      speedLegend.addTo(map);
    }

    // Speeds (numbers, one per drawn point, in the legend's unit) colour the
    // line from green at the drive's slowest through yellow to red at its
    // fastest; an empty or mismatched list leaves it in one colour.
    window.showSpeedColours = function (speeds, unit) {
      removeSpeedColours();
      if (!line || !Array.isArray(speeds) || speeds.length !== vertices.length || vertices.length < 2) return;
      const speedAt = function (i) {
        const v = speeds[i];
        return typeof v === 'number' && Number.isFinite(v) && v > 0 ? v : 0;
      };
      let low = Infinity;
      let top = 0;
      for (let i = 0; i < speeds.length; i++) {
        low = Math.min(low, speedAt(i));
        top = Math.max(top, speedAt(i));
      }
      const range = top > low ? top - low : 1;
      const band = function (i) {
        const mean = (speedAt(i) + speedAt(i + 1)) / 2;
        return Math.min(speedBands - 1, Math.floor(((mean - low) / range) * speedBands));
      };
      const runs = [];
      let run = null;
      for (let i = 0; i + 1 < vertices.length; i++) {
        const b = band(i);
        if (!run || run.band !== b) {
          run = { band: b, points: [vertices[i]] };
          runs.push(run);
        }
        run.points.push(vertices[i + 1]);
      }
      speedLayer = L.layerGroup(runs.map(function (r) {
        const style = Object.assign({}, trackStyle, { color: speedColour((r.band + 0.5) / speedBands), interactive: false });
        return L.polyline(r.points, style);
      })).addTo(map);
      line.setStyle({ opacity: 0 });
      addSpeedLegend(low, top, typeof unit === 'string' ? unit : '');
    };

    // Clearing empties the map of the drive: the line and the vehicle on it.
    window.clearPoints = function () {
      removeSpeedColours();
      vertices = [];
      sources = [];
      if (line) line.remove();
      line = null;
      if (vehicle) vehicle.remove();
      vehicle = null;
    };

    // The player chooses the tiles; until it does, and without a network, the
    // track and the vehicle are drawn on a plain background.
    let tiles = null;
    let tileUrl = null;
    window.setTiles = function (url, tileOptions) {
      if (typeof url !== 'string') return;
      if (tiles) tiles.remove();
      tiles = L.tileLayer(url, Object.assign({}, tileOptions)).addTo(map);
      tileUrl = url;
    };

    // Called by the player after clearPoints; the map has no use for it.
    window.add = function () {};

    window.addPoint = function (lat, lon) {
      const p = position(lat, lon);
      if (!p) return;
      sources.push(p);
      vertices.push(toMap(p));
    };

    window.addPline = function () {
      removeSpeedColours();
      if (line) line.remove();
      line = vertices.length ? L.polyline(vertices, trackStyle).addTo(map) : null;
      if (options.afterPline) options.afterPline(vertices.length);
    };

    window.moveMyPosition = function (lat, lon) {
      const p = mapPosition(lat, lon);
      if (!p) return;
      if (vehicle) vehicle.setLatLng(p);
      else vehicle = L.circleMarker(p, vehicleStyle).addTo(map);
    };

    // Called on every timer tick, also while paused: the view moves only
    // when the vehicle did, and only while the map follows it.
    window.setCenter = function (lat, lon) {
      const p = mapPosition(lat, lon);
      if (!p || !following) return;
      if (centred && L.latLng(p).equals(centred)) return;
      centreOn(p);
    };

    // Once per drive: the whole route in view, and the map following again.
    window.flyto = function (lat, lon) {
      const p = mapPosition(lat, lon);
      if (!p) return;
      setFollowing(true);
      centred = L.latLng(p);
      ownView(function () {
        if (line) map.fitBounds(line.getBounds(), { animate: false, padding: [24, 24], maxZoom: startZoom });
        else map.setView(p, Math.max(map.getZoom(), startZoom), { animate: false });
      });
    };

    // Read-only view of what is drawn, for diagnostics and tests.
    window.kolvarMapState = function () {
      const shown = vehicle && vehicle.getLatLng();
      const centre = map.getCenter();
      const view = map.getBounds();
      return {
        vertices: vertices.length,
        line: line ? line.getLatLngs().map(function (v) { return [v.lat, v.lng]; }) : null,
        vehicle: shown ? [shown.lat, shown.lng] : null,
        center: [centre.lat, centre.lng],
        zoom: map.getZoom(),
        tiles: tileUrl,
        bounds: [[view.getSouth(), view.getWest()], [view.getNorth(), view.getEast()]],
        following: following,
        speedRuns: speedLayer ? speedLayer.getLayers().length : 0,
      };
    };

    // A click within a few pixels of the line reports the nearest place on
    // it; the segment's fraction carries over to the unshifted points.
    const clickReach = 12;
    map.on('click', function (event) {
      if (!line || !window.native || vertices.length === 0) return;
      const at = map.latLngToLayerPoint(event.latlng);
      let best = null;
      for (let i = 0; i < vertices.length; i++) {
        const a = map.latLngToLayerPoint(vertices[i]);
        const b = i + 1 < vertices.length ? map.latLngToLayerPoint(vertices[i + 1]) : a;
        const near = L.LineUtil.closestPointOnSegment(at, a, b);
        const distance = near.distanceTo(at);
        if (best && distance >= best.distance) continue;
        const length = a.distanceTo(b);
        best = { distance: distance, index: i, fraction: length > 0 ? near.distanceTo(a) / length : 0 };
      }
      if (!best || best.distance > clickReach) return;
      const a = sources[best.index];
      const b = sources[Math.min(best.index + 1, sources.length - 1)];
      window.native.onTrackClicked([a[0] + (b[0] - a[0]) * best.fraction, a[1] + (b[1] - a[1]) * best.fraction]);
    });

    map.whenReady(function () {
      if (window.native) window.native.onJSLoaded(options.name);
    });
    return map;
  }

  return { start: start, position: position };
})();
