// Measures the provinces and states of AREA3 against outlines they were not drawn from: GMT's
// DCW (gmt-common's dcw-gmt.nc: China, India, Argentina, ...) and, for Mexico, which DCW lacks, the
// older Natural Earth admin-1 of qgis-common's world_map.gpkg (given as an argument). For each unit:
// its area as AREA3 draws it against the reference's, and whether its capital (Ort2, before any dot
// is moved) lies inside the reference outline of its own unit. Not part of the generator's run.
// Usage: node scripts/measure-states.mjs [world_map.gpkg]   (after generate.sh)
import { execFileSync } from "node:child_process";
import { readJson, readCsv, pointInRing } from "./lib.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const gpkg = process.argv[2];
const subs = readCsv(`${DIR}/tables/subdivisions.csv`);
const area3 = readJson(`${WORK}/AREA3.json`);
const caps = Object.fromEntries(readJson(`${WORK}/Ort2.json`).map((p) => [p.keys[0], p]));

// km² of a ring of [lon, lat] on the sphere (the segment formula of Chamberlain and Duquette).
const R = 6371.0088;
function ringKm2(ring) {
  let a = 0;
  for (let i = 0; i < ring.length; i++) {
    const [l1, p1] = ring[i], [l2, p2] = ring[(i + 1) % ring.length];
    a += ((l2 - l1) * Math.PI / 180) * (2 + Math.sin(p1 * Math.PI / 180) + Math.sin(p2 * Math.PI / 180));
  }
  return Math.abs((a * R * R) / 2);
}
// A reference unit as rings (outer rings only: DCW and Natural Earth hold no lakes in these units).
function dcw(code) {
  const out = execFileSync("gmt", ["coast", "-Rd", `-E${code}`, "-M"], { encoding: "utf8", maxBuffer: 1 << 28 });
  const rings = []; let cur = null;
  for (const l of out.split("\n")) {
    if (l.startsWith(">")) { cur = []; rings.push(cur); } else if (l.trim()) cur.push(l.trim().split(/\s+/).map(Number));
  }
  return rings.filter((r) => r.length > 2);
}
function gpkgUnits(iso2) {
  const rows = execFileSync("sqlite3", [gpkg, `select name, hex(geom) from states_provinces where iso_a2='${iso2}'`], { encoding: "utf8", maxBuffer: 1 << 28 });
  const units = {};
  for (const line of rows.split("\n").filter(Boolean)) {
    const [name, hex] = line.split("|");
    const b = Buffer.from(hex, "hex");
    const envelope = [0, 32, 48, 48, 64][(b[3] >> 1) & 7];
    let o = 8 + envelope;
    const rings = [];
    const geom = () => {
      const le = b[o] === 1; o += 1;
      const u32 = () => { const v = le ? b.readUInt32LE(o) : b.readUInt32BE(o); o += 4; return v; };
      const f64 = () => { const v = le ? b.readDoubleLE(o) : b.readDoubleBE(o); o += 8; return v; };
      const type = u32();
      if (type === 6) { const n = u32(); for (let i = 0; i < n; i++) geom(); return; }
      const nr = u32();
      for (let r = 0; r < nr; r++) { const np = u32(); const ring = []; for (let i = 0; i < np; i++) ring.push([f64(), f64()]); if (r === 0) rings.push(ring); }
    };
    geom();
    units[name] = rings;
  }
  return units;
}
// Which reference units make up a row (DCW has India's older set; Natural Earth 4.1 names Mexico's).
const DCW_OF = { "IN-CG": ["IN.CT"], "IN-OD": ["IN.OR"], "IN-UK": ["IN.UT"], "IN-TS": [], "IN-LA": [], "IN-DH": ["IN.DD", "IN.DN"],
  "IN-AP": ["IN.AP"], "IN-JK": ["IN.JK"] };
// Telangana and Ladakh are parts of DCW's Andhra Pradesh and Jammu and Kashmir: measured together.
const JOINED = { "IN-AP": ["IN-AP", "IN-TS"], "IN-JK": ["IN-JK", "IN-LA"] };
const mexicoNames = { "MX-CMX": "Distrito Federal", "MX-MEX": "México", "MX-COA": "Coahuila", "MX-VER": "Veracruz" };
let mx = null;
const lines = [];
for (const group of ["CHN-PR", "IND-ST", "ARG-PR", "MEX-ST"]) {
  const rows = subs.filter((r) => r.group === group);
  const ratios = []; const capsOut = [];
  for (const r of rows) {
    let refRings;
    if (group === "MEX-ST") {
      if (!gpkg) break;
      mx = mx || gpkgUnits("MX");
      refRings = mx[mexicoNames[r.code] || r.name];
      if (!refRings) throw new Error(`no reference for ${r.code} ${r.name}`);
    } else {
      const codes = DCW_OF[r.code] || [r.code.replace("-", ".")];
      if (!codes.length) { refRings = null; } else refRings = codes.flatMap(dcw);
    }
    if (refRings && !(r.code in { "IN-TS": 1, "IN-LA": 1 })) {
      const mine = (JOINED[r.code] || [r.code]).flatMap((k) => area3.filter((a) => a.keys[0] === k && !a.marker && a.vertices.length));
      const drawn = mine.reduce((s, a) => s + ringKm2(a.vertices.map(([la, lo]) => [lo, la])), 0);
      const ref = refRings.reduce((s, q) => s + ringKm2(q), 0);
      const marker = area3.some((a) => a.keys[0] === r.code && a.marker);
      if (!marker) ratios.push([drawn / ref, r.code, Math.round(drawn), Math.round(ref)]);
      else lines.push(`${r.code}: marker (drawn as a disk); reference ${Math.round(ref)} km²`);
    }
    const c = caps[r.code];
    if (c && refRings) capsOut.push([r.code, c.names[1], refRings.some((q) => pointInRing(c.lon, c.lat, q))]);
    else if (c && r.code in { "IN-TS": 1, "IN-LA": 1 }) {
      const parent = dcw(r.code === "IN-TS" ? "IN.AP" : "IN.JK");
      capsOut.push([r.code, c.names[1], parent.some((q) => pointInRing(c.lon, c.lat, q)) ? true : false]);
    }
  }
  if (!ratios.length) { lines.push(`${group}: no reference given`); continue; }
  ratios.sort((a, b) => Math.abs(Math.log(b[0])) - Math.abs(Math.log(a[0])));
  const devs = ratios.map(([q]) => Math.abs(q - 1)).sort((a, b) => a - b);
  const total = ratios.reduce((s, x) => [s[0] + x[2], s[1] + x[3]], [0, 0]);
  lines.push(`${group}: ${ratios.length} units measured; total drawn/reference ${(total[0] / total[1]).toFixed(3)}; ` +
    `median |area difference| ${(100 * devs[Math.floor(devs.length / 2)]).toFixed(1)} %, largest: ` +
    ratios.slice(0, 4).map(([q, k, d, f]) => `${k} ${(100 * (q - 1)).toFixed(1)} % (${d} vs ${f} km²)`).join(", "));
  const inside = capsOut.filter((c) => c[2]).length;
  lines.push(`${group}: capitals inside their own unit's reference outline: ${inside} of ${capsOut.length}` +
    (inside < capsOut.length ? `; outside: ${capsOut.filter((c) => !c[2]).map((c) => `${c[0]} ${c[1]}`).join(", ")}` : ""));
}
for (const l of lines) console.log(l);
