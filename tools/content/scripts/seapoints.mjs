// Chooses the sea points of Hav1..Hav3 and checks them: every view of every exercise on an area
// file is drawn as the map draws it (outlines, lakes filled, sea filled from the points), and a
// point is added in every background region that is sea (outside every area) and still unfilled.
// Also checks that each seed of an included area starts a fill, and writes PNG renders of the views.
import fs from "node:fs";
import { execFileSync } from "node:child_process";
import { readJson, writeJson, pointInRing } from "./lib.mjs";
import { View, fitView, W, H } from "./proj.mjs";

const DIR = new URL("..", import.meta.url).pathname.replace(/\/$/, "");
const WORK = `${DIR}/work`;
const MIN_REGION = 40; // px: smaller pockets (narrow straits between outlines) stay land-coloured
const BG = 0, LINE = 1, WATER = 2, SEA = 3, AREA = 4;

const lakes = readJson(`${WORK}/Vatten.json`);
const exercises = readJson(`${WORK}/Ovning.json`);

function line(img, x0, y0, x1, y1, v) {
  const dx = Math.abs(x1 - x0), dy = -Math.abs(y1 - y0), sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  let err = dx + dy;
  for (let i = 0; i < 100000; i++) {
    if (x0 >= 0 && x0 < W && y0 >= 0 && y0 < H) img[y0 * W + x0] = v;
    if (x0 === x1 && y0 === y1) break;
    const e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}
// 4-connected fill of the region of colour `from` starting at (x, y); returns its pixels.
function fill(img, x, y, from, to) {
  const out = []; if (img[y * W + x] !== from) return out;
  const stack = [y * W + x]; img[y * W + x] = to;
  while (stack.length) {
    const i = stack.pop(); out.push(i);
    const px = i % W;
    for (const j of [px > 0 ? i - 1 : -1, px < W - 1 ? i + 1 : -1, i - W, i + W]) {
      if (j >= 0 && j < W * H && img[j] === from) { img[j] = to; stack.push(j); }
    }
  }
  return out;
}
function outline(img, v, verts, val) {
  const p = verts.map(([la, lo]) => [v.x(la, lo), v.y(la)]);
  for (let k = 0; k < p.length; k++) { const a = p[k], b = p[(k + 1) % p.length]; line(img, a[0], a[1], b[0], b[1], val); }
}
function draw(recs, v, sea, border) {
  const img = new Uint8Array(W * H);
  for (const r of recs) if (r.vertices.length && v.areaVisible(r)) {
    outline(img, v, r.vertices, LINE);
    if (border > 1) for (const [dx, dy] of [[1, 0], [0, 1], [1, 1]]) outline(img, v, r.vertices.map(([a, b]) => [a, b]), LINE);
  }
  for (const l of lakes) {
    const tmp = new Uint8Array(W * H); outline(tmp, v, l.vertices, 1);
    for (let i = 0; i < W * H; i++) if (tmp[i]) img[i] = WATER;
    for (const [la, lo] of l.seeds) {
      const x = v.x(la, lo), y = v.y(la);
      if (!v.onImage(x, y)) continue;
      // border-style fill: everything up to the lake's own outline
      const seen = new Uint8Array(W * H); const st = [y * W + x];
      while (st.length) { const i = st.pop(); if (seen[i] || tmp[i]) continue; seen[i] = 1; img[i] = WATER; const px = i % W;
        if (px > 0) st.push(i - 1); if (px < W - 1) st.push(i + 1); if (i >= W) st.push(i - W); if (i < W * (H - 1)) st.push(i + W); }
    }
  }
  for (let x = 0; x < W; x++) { img[x] = LINE; img[(H - 1) * W + x] = LINE; }
  for (let y = 0; y < H; y++) { img[y * W] = LINE; img[y * W + W - 1] = LINE; }
  for (const [la, lo] of sea) { const x = v.x(la, lo), y = v.y(la); if (v.onImage(x, y)) fill(img, x, y, BG, SEA); }
  return img;
}
const inLand = (recs, lat, lon) => recs.some((r) => r.vertices.length && pointInRing(lat, lon, r.vertices));

function viewsOf(file, recs) {
  const out = [];
  const seen = new Set();
  for (const e of exercises.filter((x) => x.areaFile === file)) {
    const v = e.view[0] === 0 && e.view[1] === 0
      ? fitView(recs.filter((r) => e.selectors.some((s) => r.keys.includes(s))))
      : new View(e.view[0], e.view[1], e.view[2]);
    // exercises of one world part share their view: draw it once, with their selectors together
    const id = `${v.top} ${v.bottom} ${v.centre} ${e.border}`;
    if (seen.has(id)) { out.find((o) => o.id === id).sel.push(...e.selectors); out.find((o) => o.id === id).numbers.push(e.number); continue; }
    seen.add(id);
    out.push({ e, v, id, sel: [...e.selectors], numbers: [e.number] });
  }
  return out;
}

function render(img, name) {
  const pal = { [BG]: [128, 128, 128], [LINE]: [0, 0, 0], [WATER]: [0, 64, 160], [SEA]: [0, 0, 128], [AREA]: [0, 128, 0] };
  const buf = Buffer.alloc(W * H * 3);
  for (let i = 0; i < W * H; i++) { const c = pal[img[i]] || [255, 0, 255]; buf[3 * i] = c[0]; buf[3 * i + 1] = c[1]; buf[3 * i + 2] = c[2]; }
  fs.mkdirSync(`${WORK}/renders`, { recursive: true });
  fs.writeFileSync(`${WORK}/renders/${name}.ppm`, Buffer.concat([Buffer.from(`P6 ${W} ${H} 255\n`), buf]));
  execFileSync("convert", [`${WORK}/renders/${name}.ppm`, `${WORK}/renders/${name}.png`]);
  fs.unlinkSync(`${WORK}/renders/${name}.ppm`);
}

const report = [];
for (const file of [1, 2, 3]) {
  // pointInRing takes (x, y) = (lon, lat); the vertices are stored (lat, lon): swap once here.
  const recs = readJson(`${WORK}/AREA${file}.json`).map((r) => ({ ...r, ring: r.vertices.map(([a, b]) => [b, a]) }));
  const land = (lat, lon) => recs.some((r) => r.ring.length && lat <= r.box.n && lat >= r.box.s && lon <= r.box.e && lon >= r.box.w && pointInRing(lon, lat, r.ring));
  const views = viewsOf(file, recs);
  const sea = [];
  // Views by how much they show, the widest first: their points serve the closer views too.
  const order = [...views].sort((a, b) => (b.v.top - b.v.bottom) - (a.v.top - a.v.bottom));
  for (const { e, v } of order) {
    for (let round = 0; round < 60 && sea.length < 100; round++) {
      const img = draw(recs, v, sea, e.border);
      // the largest unfilled background region whose deepest pixel lies outside every area
      const seen = new Uint8Array(W * H); let best = null;
      for (let i = 0; i < W * H; i++) {
        if (img[i] !== BG || seen[i]) continue;
        const pix = fill(img, i % W, Math.floor(i / W), BG, 9);
        for (const j of pix) seen[j] = 1;
        if (pix.length < MIN_REGION) continue;
        if (best && pix.length <= best.pix.length) continue;
        // deepest pixel: farthest from the region's edge (a few erosion steps)
        const set = new Set(pix); let core = pix;
        for (let k = 0; k < 12; k++) {
          const next = core.filter((j) => set.has(j - 1) && set.has(j + 1) && set.has(j - W) && set.has(j + W));
          if (!next.length) break; core = next; for (const j of pix) if (!core.includes) set.delete(j);
          const cs = new Set(core); for (const j of [...set]) if (!cs.has(j)) set.delete(j);
        }
        const c = core[Math.floor(core.length / 2)];
        const y = Math.floor(c / W), x = c % W, lat = v.latOf(y), lon = v.lonOf(y, x);
        if (land(lat, lon)) continue;
        best = { pix, lat, lon };
      }
      if (!best) break;
      sea.push([Math.round(best.lat * 1e4) / 1e4, Math.round(best.lon * 1e4) / 1e4]);
    }
  }
  if (sea.length > 100) throw new Error(`Hav${file}: ${sea.length} points`);
  // Check every view: unfilled sea regions, sea points inside areas, seeds that start no fill.
  for (const { e, v, sel, numbers } of views) {
    const img = draw(recs, v, sea, e.border);
    let left = 0; const seen = new Uint8Array(W * H); const work = img.slice();
    for (let i = 0; i < W * H; i++) {
      if (work[i] !== BG || seen[i]) continue;
      const pix = fill(work, i % W, Math.floor(i / W), BG, 9); for (const j of pix) seen[j] = 1;
      const j = pix[Math.floor(pix.length / 2)]; const y = Math.floor(j / W);
      if (pix.length >= MIN_REGION && !land(v.latOf(y), v.lonOf(y, j % W))) left += pix.length;
    }
    let badSeeds = 0;
    for (const r of recs) {
      if (!r.vertices.length || !sel.some((s) => r.keys.includes(s)) || !v.areaVisible(r)) continue;
      let filled = false;
      for (const [la, lo] of r.seeds) { const x = v.x(la, lo), y = v.y(la); if (v.onImage(x, y) && img[y * W + x] === BG) { fill(img, x, y, BG, AREA); filled = true; } else if (v.onImage(x, y) && img[y * W + x] === AREA) filled = true; }
      if (!filled && v.boxShows(r.box)) badSeeds++;
    }
    report.push(`Hav${file} exercises ${numbers.join(",")}: unfilled sea ${left} px, areas whose seeds start no fill ${badSeeds}`);
    if (process.env.RENDER) render(img, `ex${String(e.number).padStart(2, "0")}`);
  }
  const wet = sea.filter(([la, lo]) => land(la, lo));
  if (wet.length) throw new Error(`Hav${file}: sea points inside areas: ${JSON.stringify(wet)}`);
  writeJson(`${WORK}/Hav${file}.json`, sea);
  console.log(`Hav${file}: ${sea.length} sea points`);
}
fs.writeFileSync(`${WORK}/seapoints-report.txt`, report.join("\n") + "\n");
console.log(report.join("\n"));
