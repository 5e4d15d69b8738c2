// Place dots that a player cannot tell apart are moved apart: on the map of every place exercise,
// at 1916 × 1000, any two places it asks lie at least MIN_PX pixels apart, and each lies on its
// own country's land as drawn or within COAST_PX of it. Where the true
// positions are closer (Kinshasa and Brazzaville, Rome and Vatican City), both dots move away from
// each other along the line that joins them, neither by more than MAX_MOVE pixels. A view whose
// places need a move gets a place file of its own (Ort3 onwards), and its place exercises use it;
// the other exercises keep the shared file. Rewrites work/Ovning.json, writes work/Ort<n>.json.
import fs from "node:fs";
import { readJson, writeJson, pointInRing } from "./lib.mjs";
import { View } from "./proj.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const MIN_PX = 5, MAX_MOVE = 3;
const exercises = readJson(`${WORK}/Ovning.json`);
for (const f of fs.readdirSync(WORK)) if (/^Ort([3-9]|\d\d+)\.json$/.test(f)) fs.unlinkSync(`${WORK}/${f}`); // an earlier run's
const base = { 1: readJson(`${WORK}/Ort1.json`), 2: readJson(`${WORK}/Ort2.json`) };
const areaFiles = { 1: readJson(`${WORK}/AREA1.json`), 2: readJson(`${WORK}/AREA2.json`), 3: readJson(`${WORK}/AREA3.json`) };
const COAST_PX = 2;

// Pixels from a point to its own land on the picture (0 inside), and the nearest point of it.
function toLand(x, y, rings) {
  if (rings.some((r) => pointInRing(x, y, r))) return { d: 0, x, y };
  let best = { d: Infinity, x, y };
  for (const r of rings)
    for (let i = 0, j = r.length - 1; i < r.length; j = i++) {
      const [xi, yi] = r[i], [xj, yj] = r[j];
      const dx = xi - xj, dy = yi - yj, l2 = dx * dx + dy * dy;
      const t = l2 > 0 ? Math.max(0, Math.min(1, ((x - xj) * dx + (y - yj) * dy) / l2)) : 0;
      const px = xj + t * dx, py = yj + t * dy, d = Math.hypot(x - px, y - py);
      if (d < best.d) best = { d, x: px, y: py };
    }
  return best;
}
const asks = (e, p) => p.level <= e.level && (!e.flag1 || p.a) && (!e.flag2 || p.b) && e.selectors.some((s) => p.keys.includes(s));

let next = 3;
const log = [];
const byView = new Map();
for (const e of exercises.filter((x) => x.kind === "ORT")) {
  const id = `${e.placeFile}:${e.view.join(",")}`;
  if (!byView.has(id)) byView.set(id, []);
  byView.get(id).push(e);
}
for (const [id, list] of byView) {
  const file = list[0].placeFile;
  const v = new View(...list[0].view);
  const places = base[file].map((p) => ({ ...p }));
  const at = places.map((p) => ({ x0: v.xf(p.lat, p.lon), y0: v.yf(p.lat) }));
  for (const q of at) { q.x = q.x0; q.y = q.y0; }
  // pairs that some exercise of this view asks together
  // The land each place belongs to, in pixels of this view: a dot that the simplified coast (or
  // a coarse border, Geneva's) leaves more than COAST_PX off it is drawn on its edge, if that is
  // within MAX_MOVE of where it is.
  const recs = areaFiles[list[0].areaFile];
  const landOf = new Map();
  const ringsOf = (key) => {
    if (!landOf.has(key))
      landOf.set(key, recs.filter((r) => r.keys[0] === key && r.vertices.length).map((r) => r.vertices.map(([la, lo]) => [v.xf(la, lo), v.yf(la)])));
    return landOf.get(key);
  };
  const askedHere = places.map((p) => list.some((e) => asks(e, p)));
  // A marker disk may cover a neighbour's city (Rome in the Vatican's): no move gets it out.
  const disks = recs.filter((r) => r.marker).map((r) => ({ key: r.keys[0], ring: r.vertices.map(([la, lo]) => [v.xf(la, lo), v.yf(la)]) }));
  const underDisk = (p, q) => disks.some((k) => k.key !== p.keys[0] && toLand(q.x, q.y, [k.ring]).d === 0);
  const clampMove = (m) => {
    const off = Math.hypot(m.x - m.x0, m.y - m.y0);
    if (off > MAX_MOVE) { m.x = m.x0 + ((m.x - m.x0) * MAX_MOVE) / off; m.y = m.y0 + ((m.y - m.y0) * MAX_MOVE) / off; }
  };
  const onLand = () => places.forEach((p, i) => {
    if (!askedHere[i]) return;
    const rings = ringsOf(p.keys[0]);
    if (!rings.length) return;
    const q = at[i], l = toLand(q.x, q.y, rings);
    if (l.d <= COAST_PX - 0.6 || underDisk(p, q)) return;
    // onto the edge and half a pixel in, towards the nearest land
    const k = (l.d + 0.5) / l.d;
    q.x += (l.x - q.x) * k; q.y += (l.y - q.y) * k;
    clampMove(q);
  });
  onLand();
  const pairs = [];
  for (let i = 0; i < places.length; i++)
    for (let j = i + 1; j < places.length; j++)
      if (list.some((e) => asks(e, places[i]) && asks(e, places[j])) && Math.hypot(at[i].x0 - at[j].x0, at[i].y0 - at[j].y0) < MIN_PX + 2) pairs.push([i, j]);

  const apart = ([i, j]) => Math.hypot(Math.round(at[i].x) - Math.round(at[j].x), Math.round(at[i].y) - Math.round(at[j].y));
  for (let round = 0; round < 200 && pairs.some((p) => apart(p) < MIN_PX); round++) {
    for (const [i, j] of pairs) {
      const a = at[i], b = at[j];
      let dx = b.x - a.x, dy = b.y - a.y, d = Math.hypot(dx, dy);
      if (d < 1e-6) { dx = b.x0 - a.x0 || 1; dy = b.y0 - a.y0; d = Math.hypot(dx, dy); } // same pixel: east-west
      const want = MIN_PX + 1.5; // room for rounding to whole pixels
      if (d >= want) continue;
      const push = (want - d) / 2;
      for (const [m, sgn] of [[a, -1], [b, 1]]) {
        m.x += (sgn * push * dx) / d; m.y += (sgn * push * dy) / d;
        clampMove(m);
      }
    }
    onLand();
  }
  if (places.every((p, i) => at[i].x === at[i].x0 && at[i].y === at[i].y0)) continue;
  const still = pairs.filter((p) => apart(p) < MIN_PX);
  if (still.length) throw new Error(`view ${id}: ${still.map(([i, j]) => `${places[i].id}/${places[j].id}`).join(" ")} stay under ${MIN_PX} px apart`);
  const kmBetween = (a, b) => { const r = Math.PI / 180; return 6371 * Math.hypot((b.lat - a.lat) * r, (b.lon - a.lon) * r * Math.cos(a.lat * r)); };
  places.forEach((p, i) => {
    const q = at[i];
    if (Math.abs(q.x - q.x0) < 1e-9 && Math.abs(q.y - q.y0) < 1e-9) return;
    const moved = { lat: +v.latOf(q.y).toFixed(4), lon: +v.lonOf(q.y, q.x).toFixed(4) };
    log.push(`Ort${next} (view ${list[0].view.join(", ")}): ${p.id} moved ${Math.hypot(q.x - q.x0, q.y - q.y0).toFixed(1)} px, ${kmBetween(p, moved).toFixed(1)} km`);
    Object.assign(p, moved);
  });
  writeJson(`${WORK}/Ort${next}.json`, places);
  for (const e of list) e.placeFile = next;
  next++;
}
writeJson(`${WORK}/Ovning.json`, exercises);
for (const l of log) console.log(l);
console.log(`place files per view: ${next - 3}`);
