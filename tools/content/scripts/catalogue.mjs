// Builds the exercise catalogue (Ovning) as UTF-8 JSON in work/ from the area and place records.
// Selectors that could not be answered on the exercise's map (an area or place off the picture,
// an area too small to click) are left out and listed; a country that its part's or the world's
// area exercise could not ask, or a city off its part's picture, stops the run.
import { readJson, writeJson, readCsv } from "./lib.mjs";
import { loadCountries, partKey } from "./common.mjs";
import { View, VIEWS, SHAPES } from "./proj.mjs";
import { pictureView, showsOn, writeProjectionTable } from "./projection-table.mjs";
import { PARTS, WORLD, T, PHYSICAL } from "./exercises.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const countries = loadCountries(DIR);
const area = { 1: readJson(`${WORK}/AREA1.json`), 2: readJson(`${WORK}/AREA2.json`), 3: readJson(`${WORK}/AREA3.json`) };
const ort = { 1: readJson(`${WORK}/Ort1.json`), 2: readJson(`${WORK}/Ort2.json`) };

// "Europe: countries" in each language's punctuation (French puts a space before the colon).
const title = (a, b) => a.map((x, i) => `${x}${i === 2 ? " :" : ":"} ${b[i]}`);
// "flags (part 1)", but "capitals (multiple choice, part 1)": one pair of brackets.
const withPart = (t, n) => t.map((x, i) => (x.endsWith(")") ? `${x.slice(0, -1)}, ${T.part[i]} ${n})` : `${x} (${T.part[i]} ${n})`));

const exercises = [];
const dropped = [];
const tiny = [];
function add(e) {
  e = { border: 1, flag1: 0, flag2: 0, level: 0, placeFile: 1, ...e };
  const v = new View(e.view[0], e.view[1], e.view[2]);
  // the view on every screen a player has: a question must be on each picture
  // (the projection table takes what the pictures answer near their edges to the map's code)
  const vs = SHAPES.map(([w, h]) => pictureView(e.view, w, h));
  const shows = (lat, lon) => vs.every((u) => showsOn(u, lat, lon));
  const recs = area[e.areaFile];
  const keep = e.selectors.filter((s) => {
    let ok = true;
    if (e.kind === "AREA") {
      const rs = recs.filter((r) => r.keys[0] === s && r.vertices.length);
      // asked areas must have an outline and lie on the picture (an island group may lose parts)
      if (rs.length === 0) return false; // a microstate without outline in this file
      ok = rs.some((r) => r.vertices.every(([la, lo]) => shows(la, lo)));
      // too small to click: under 6 pixels across on this picture (the area file gives it a marker)
      const span = (r) => { const xs = r.vertices.map(([la, lo]) => v.x(la, lo)), ys = r.vertices.map(([la]) => v.y(la));
        return Math.min(Math.max(...xs) - Math.min(...xs), Math.max(...ys) - Math.min(...ys)); };
      if (ok && !rs.some((r) => span(r) >= 6)) { tiny.push(`${e.number} ${s}:${Math.max(...rs.map(span))}`); return false; }
    } else if (e.kind === "FLAGG") {
      ok = recs.some((r) => r.keys[0] === s && r.flag);
    } else if (e.kind === "MULTI") {
      ok = recs.some((r) => r.keys[0] === s);
    }
    if (ok && (e.kind === "ORT")) {
      const ps = ort[e.placeFile].filter((p) => p.keys.includes(s) && p.level <= e.level && (!e.flag1 || p.a) && (!e.flag2 || p.b));
      if (ps.length === 0) return false; // a country without such places
      ok = ps.every((p) => shows(p.lat, p.lon));
    }
    if (!ok) dropped.push(`${e.number} ${s}`);
    return ok;
  });
  if (keep.length > 100) throw new Error(`exercise ${e.number}: ${keep.length} selectors`);
  if (e.kind === "ORT" && keep.length < e.selectors.length && e.selectors.length === 1)
    throw new Error(`exercise ${e.number}: places off its picture`);
  // Every country is a question of its part's and of a world area exercise: one that could not be
  // answered on its map is a fault of the area file, not something to leave out quietly.
  if (e.kind === "AREA" && e.areaFile !== 3 && keep.length < e.selectors.length)
    throw new Error(`exercise ${e.number} cannot ask ${e.selectors.filter((s) => !keep.includes(s)).join(" ")}`);
  exercises.push({ ...e, selectors: keep });
}

const inPart = (p) => countries.filter((c) => c.part === p).map((c) => c.iso3);
let n = 1;
for (const [code, p] of Object.entries(PARTS)) {
  const base = { part: code, areaFile: p.file, view: p.view };
  const keys = inPart(code);
  add({ ...base, kind: "AREA", number: n, names: title(p.names, T.countries), selectors: keys });
  // Places by country key, so that a capital off the picture (Samoa seen from Australia) is left out.
  add({ ...base, kind: "ORT", number: n + 1, names: title(p.names, T.capitals), flag1: 1, level: 1, selectors: keys });
  // Cities by the world part they are asked in (Istanbul in Europe, Novosibirsk in Asia); a
  // city off the part's picture is a fault of the table.
  add({ ...base, kind: "ORT", number: n + 2, names: title(p.names, T.cities), flag2: 1, level: 4, selectors: [partKey(code)] });
  add({ ...base, kind: "FLAGG", number: n + 3, names: title(p.names, T.flags), selectors: keys });
  add({ ...base, kind: "MULTI", number: n + 4, names: title(p.names, T.multi), flag1: 1, level: 1, selectors: keys });
  n += 5;
}
// The whole world: more countries than one exercise may hold, so split by size or in halves.
const w = { part: "*", areaFile: WORLD.file, view: WORLD.view };
const sizeOf = (k) => area[1].filter((r) => r.keys[0] === k && !r.marker).reduce((s, r) => s + (r.box.n - r.box.s) * (r.box.e - r.box.w), 0);
const bySize = countries.map((c) => c.iso3).sort((a, b) => sizeOf(b) - sizeOf(a) || (a < b ? -1 : 1));
// Every country in one of three world exercises by size (at most 100 questions each); the
// third comes later in the numbering but next to the others in the menu.
const sizeThird = Math.ceil(bySize.length / 3);
add({ ...w, kind: "AREA", number: 31, names: title(WORLD.names, T.big), selectors: bySize.slice(0, sizeThird) });
add({ ...w, kind: "AREA", number: 32, names: title(WORLD.names, T.medium), selectors: bySize.slice(sizeThird, 2 * sizeThird) });
add({ ...w, kind: "AREA", number: 53, names: title(WORLD.names, T.small), selectors: bySize.slice(2 * sizeThird) });
add({ ...w, kind: "ORT", number: 33, names: title(WORLD.names, T.capitals), flag1: 1, level: 0, selectors: ["EUR", "NAC", "SYD", "ASI", "AFR", ...inPart("AUS")] });
const all = countries.map((c) => c.iso3);
const third = Math.ceil(all.length / 3);
// flags first, then multiple choice: the menu lists them in file order
for (let i = 0; i < 3; i++)
  add({ ...w, kind: "FLAGG", number: 34 + i, names: withPart(title(WORLD.names, T.flags), i + 1), selectors: all.slice(i * third, (i + 1) * third) });
for (let i = 0; i < 3; i++)
  add({ ...w, kind: "MULTI", number: 37 + i, names: withPart(title(WORLD.names, T.multi), i + 1), flag1: 1, selectors: all.slice(i * third, (i + 1) * third) });
add({ ...w, kind: "ORT", number: 40, names: title(WORLD.names, ["de största städerna", "largest cities", "les plus grandes villes", "die größten Städte", "las ciudades más grandes"]), level: 4, selectors: ["BIG"] });

// States and provinces (area file 3, place file 2).
const subs = readCsv(`${DIR}/tables/subdivisions.csv`);
const codes = (g) => subs.filter((r) => r.group === g).map((r) => r.code);
const SUB = [
  { g: "USA-ST", part: "NOR", view: VIEWS["USA-ST"], names: ["USA", "United States", "États-Unis", "USA", "Estados Unidos"],
    what: ["delstater", "states", "États", "Bundesstaaten", "estados"], caps: ["delstaternas huvudstäder", "state capitals", "capitales des États", "Hauptstädte der Bundesstaaten", "capitales de los estados"] },
  { g: "CAN-PR", part: "NOR", view: VIEWS["CAN-PR"], names: ["Kanada", "Canada", "Canada", "Kanada", "Canadá"],
    what: ["provinser och territorier", "provinces and territories", "provinces et territoires", "Provinzen und Territorien", "provincias y territorios"], caps: ["huvudstäder", "capitals", "capitales", "Hauptstädte", "capitales"] },
  { g: "AUS-ST", part: "AUS", view: VIEWS["AUS-ST"], names: ["Australien", "Australia", "Australie", "Australien", "Australia"],
    what: ["delstater och territorier", "states and territories", "États et territoires", "Bundesstaaten und Territorien", "estados y territorios"], caps: ["huvudstäder", "capitals", "capitales", "Hauptstädte", "capitales"] },
  { g: "BRA-ST", part: "SYD", view: VIEWS["BRA-ST"], names: ["Brasilien", "Brazil", "Brésil", "Brasilien", "Brasil"],
    what: ["delstater", "states", "États", "Bundesstaaten", "estados"], caps: ["delstaternas huvudstäder", "state capitals", "capitales des États", "Hauptstädte der Bundesstaaten", "capitales de los estados"] },
  { g: "CHN-PR", n: 54, part: "ASI", view: VIEWS["CHN-PR"], names: ["Kina", "China", "Chine", "China", "China"],
    what: ["provinser", "provinces", "provinces", "Provinzen", "provincias"], caps: ["provinshuvudstäder", "provincial capitals", "capitales provinciales", "Provinzhauptstädte", "capitales provinciales"] },
  { g: "IND-ST", part: "ASI", view: VIEWS["IND-ST"], names: ["Indien", "India", "Inde", "Indien", "India"],
    what: ["delstater och unionsterritorier", "states and union territories", "États et territoires", "Bundesstaaten und Unionsterritorien", "estados y territorios"], caps: ["huvudstäder", "capitals", "capitales", "Hauptstädte", "capitales"] },
  { g: "ARG-PR", part: "SYD", view: VIEWS["ARG-PR"], names: ["Argentina", "Argentina", "Argentine", "Argentinien", "Argentina"],
    what: ["provinser", "provinces", "provinces", "Provinzen", "provincias"], caps: ["provinshuvudstäder", "provincial capitals", "capitales provinciales", "Provinzhauptstädte", "capitales provinciales"] },
  { g: "MEX-ST", part: "NOR", view: VIEWS["MEX-ST"], names: ["Mexiko", "Mexico", "Mexique", "Mexiko", "México"],
    what: ["delstater", "states", "États", "Bundesstaaten", "estados"], caps: ["delstaternas huvudstäder", "state capitals", "capitales des États", "Hauptstädte der Bundesstaaten", "capitales de los estados"] },
];
n = 41;
for (const s of SUB) {
  n = s.n || n; // 53 is a world exercise
  const base = { part: s.part, areaFile: 3, placeFile: 2, view: s.view };
  add({ ...base, kind: "AREA", number: n, names: title(s.names, s.what), selectors: codes(s.g) });
  add({ ...base, kind: "ORT", number: n + 1, names: title(s.names, s.caps), flag1: 1, selectors: [s.g] });
  add({ ...base, kind: "MULTI", number: n + 2, names: title(s.names, s.caps.map((c, i) => `${c} ${T.multi[i].replace(/^[^(]*/, "")}`)), flag1: 1, selectors: subs.filter((r) => r.group === s.g && r.capital).map((r) => r.code) });
  n += 3;
}
// Physical geography: one place exercise per code of tables/physical.csv that has places, after
// the other exercises of its part, in the order of exercises.mjs.
for (const p of PHYSICAL) {
  if (!ort[1].some((o) => o.id.startsWith("PHY-") && o.keys.includes(p.code))) continue;
  const names = p.part === "*" ? WORLD.names : PARTS[p.part].names;
  add({ part: p.part, areaFile: p.areaFile, view: p.view, kind: "ORT", number: p.number, names: title(names, p.what), selectors: [p.code] });
}
writeJson(`${WORK}/Ovning.json`, exercises);
// globana_crpgen checks this projection against the map's on every picture used above, and
// lib.mjs's point-in-ring against the game's on the largest ring of each area file and Vatten.
const largest = (recs) => recs.reduce((a, b) => (b.vertices.length > a.vertices.length ? b : a)).vertices;
writeProjectionTable(`${WORK}/projection-table.txt`, [area[1], area[2], area[3], readJson(`${WORK}/Vatten.json`)].map(largest));
console.log(`Ovning: ${exercises.length} exercises; left out as not answerable on their map: ${dropped.join(", ") || "none"}; as too small to click: ${tiny.join(", ") || "none"}`);
