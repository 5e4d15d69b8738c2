// Place dots that a player cannot tell apart are moved apart: on the map of every place exercise,
// at 1916 × 1000, any two places it asks lie at least MIN_PX pixels apart. Where the true
// positions are closer (Kinshasa and Brazzaville, Rome and Vatican City), both dots move away from
// each other along the line that joins them, neither by more than MAX_MOVE pixels. A view whose
// places need a move gets a place file of its own (Ort3 onwards), and its place exercises use it;
// the other exercises keep the shared file. Rewrites work/Ovning.json, writes work/Ort<n>.json.
import fs from "node:fs";
import { readJson, writeJson } from "./lib.mjs";
import { View } from "./proj.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const MIN_PX = 5, MAX_MOVE = 3;
const exercises = readJson(`${WORK}/Ovning.json`);
for (const f of fs.readdirSync(WORK)) if (/^Ort([3-9]|\d\d+)\.json$/.test(f)) fs.unlinkSync(`${WORK}/${f}`); // an earlier run's
const base = { 1: readJson(`${WORK}/Ort1.json`), 2: readJson(`${WORK}/Ort2.json`) };
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
  const pairs = [];
  for (let i = 0; i < places.length; i++)
    for (let j = i + 1; j < places.length; j++)
      if (list.some((e) => asks(e, places[i]) && asks(e, places[j])) && Math.hypot(at[i].x0 - at[j].x0, at[i].y0 - at[j].y0) < MIN_PX + 2) pairs.push([i, j]);
  if (!pairs.length) continue;
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
        const off = Math.hypot(m.x - m.x0, m.y - m.y0);
        if (off > MAX_MOVE) { m.x = m.x0 + ((m.x - m.x0) * MAX_MOVE) / off; m.y = m.y0 + ((m.y - m.y0) * MAX_MOVE) / off; }
      }
    }
  }
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
