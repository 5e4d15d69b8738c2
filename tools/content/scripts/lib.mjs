// Small helpers shared by the generator's scripts.
import fs from "node:fs";

export const readJson = (p) => JSON.parse(fs.readFileSync(p, "utf8"));
export const writeJson = (p, v) => fs.writeFileSync(p, JSON.stringify(v));

// Minimal CSV reader: header row, comma separated, double quotes around fields with commas.
export function readCsv(path) {
  const lines = fs.readFileSync(path, "utf8").split(/\r?\n/).filter((l) => l.trim() !== "" && !l.startsWith("#"));
  const split = (line) => {
    const out = []; let cur = ""; let q = false;
    for (let i = 0; i < line.length; i++) {
      const c = line[i];
      if (q) { if (c === '"') { if (line[i + 1] === '"') { cur += '"'; i++; } else q = false; } else cur += c; }
      else if (c === '"') q = true;
      else if (c === ",") { out.push(cur); cur = ""; }
      else cur += c;
    }
    out.push(cur);
    return out.map((s) => s.trim());
  };
  const head = split(lines[0]);
  return lines.slice(1).map((l) => { const f = split(l); const o = {}; head.forEach((h, i) => (o[h] = f[i] ?? "")); return o; });
}

// Planar ring area in km² (equirectangular at the ring's own latitude), positive for either winding.
export function ringAreaKm2(ring) {
  let a = 0; let lat0 = 0;
  for (const p of ring) lat0 += p[1];
  lat0 /= ring.length;
  const k = Math.cos((lat0 * Math.PI) / 180);
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) a += (ring[j][0] * k) * ring[i][1] - (ring[i][0] * k) * ring[j][1];
  return Math.abs(a / 2) * 111.32 * 111.32;
}

// Even-odd ray test in the plane of lon/lat, the same rule the game uses.
export function pointInRing(lon, lat, ring) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const [xi, yi] = ring[i]; const [xj, yj] = ring[j];
    if ((yi <= lat && lat < yj) || (yj <= lat && lat < yi)) {
      if (xi + ((lat - yi) * (xj - xi)) / (yj - yi) > lon) inside = !inside;
    }
  }
  return inside;
}

// Distance in km from a point to a segment, locally flat.
export function segDistKm(lon, lat, a, b) {
  const k = Math.cos((lat * Math.PI) / 180);
  const ax = (a[0] - lon) * k, ay = a[1] - lat, bx = (b[0] - lon) * k, by = b[1] - lat;
  const dx = bx - ax, dy = by - ay;
  const l2 = dx * dx + dy * dy;
  let t = l2 > 0 ? -(ax * dx + ay * dy) / l2 : 0;
  t = Math.max(0, Math.min(1, t));
  const x = ax + t * dx, y = ay + t * dy;
  return Math.sqrt(x * x + y * y) * 111.32;
}

export function ringDistKm(lon, lat, ring) {
  let d = Infinity;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) d = Math.min(d, segDistKm(lon, lat, ring[j], ring[i]));
  return d;
}

// A point well inside a polygon (outer ring + holes): pole of inaccessibility by a coarse grid
// refined around the best cells. `avoid` are extra points kept at a distance (for a second seed).
export function innerPoint(rings, avoid = [], avoidWeight = 0.5) {
  const outer = rings[0];
  let minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
  for (const [x, y] of outer) { minX = Math.min(minX, x); minY = Math.min(minY, y); maxX = Math.max(maxX, x); maxY = Math.max(maxY, y); }
  const score = (x, y) => {
    let inside = pointInRing(x, y, outer);
    for (let r = 1; r < rings.length && inside; r++) if (pointInRing(x, y, rings[r])) inside = false;
    if (!inside) return -Infinity;
    let d = Infinity;
    for (const r of rings) d = Math.min(d, ringDistKm(x, y, r));
    const k = Math.cos((y * Math.PI) / 180);
    for (const [ax, ay] of avoid) d = Math.min(d, avoidWeight * Math.hypot((x - ax) * k, y - ay) * 111.32);
    return d;
  };
  let best = null, bestS = -Infinity;
  let stepX = (maxX - minX) / 40, stepY = (maxY - minY) / 40;
  let cands = [];
  for (let i = 0; i <= 40; i++) for (let j = 0; j <= 40; j++) {
    const x = minX + (i + 0.5) * stepX, y = minY + (j + 0.5) * stepY;
    const s = score(x, y);
    if (s > -Infinity) cands.push([s, x, y]);
  }
  // Thin shapes may have no grid cell inside: fall back to points along the ring's diagonals.
  if (cands.length === 0) {
    for (let i = 0; i < outer.length; i++) for (let j = i + 2; j < outer.length; j += Math.max(1, Math.floor(outer.length / 20))) {
      const x = (outer[i][0] + outer[j][0]) / 2, y = (outer[i][1] + outer[j][1]) / 2;
      const s = score(x, y);
      if (s > -Infinity) cands.push([s, x, y]);
    }
  }
  cands.sort((a, b) => b[0] - a[0]);
  for (let round = 0; round < 6; round++) {
    const next = [];
    for (const [s, x, y] of cands.slice(0, 8)) {
      if (s > bestS) { bestS = s; best = [x, y]; }
      for (let i = -2; i <= 2; i++) for (let j = -2; j <= 2; j++) {
        const nx = x + (i * stepX) / 2.5, ny = y + (j * stepY) / 2.5;
        const ns = score(nx, ny);
        if (ns > -Infinity) next.push([ns, nx, ny]);
      }
    }
    stepX /= 2.5; stepY /= 2.5;
    next.sort((a, b) => b[0] - a[0]);
    cands = next;
  }
  for (const [s, x, y] of cands.slice(0, 1)) if (s > bestS) { bestS = s; best = [x, y]; }
  return best ? { lon: best[0], lat: best[1], distKm: bestS } : null;
}
