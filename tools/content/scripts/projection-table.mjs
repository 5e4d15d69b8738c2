// The answers of the scripts' copy of the map's projection (proj.mjs) and point-in-ring test
// (lib.mjs), which choose the selectors, cut the views and move the dots, written as a table
// that globana_crpgen puts to the map's own code, stopping the run on any difference. Lines:
// "V top bottom centre width height" a view (as the exercise gives it) on a picture; "F lat lon
// x y on" a position's pixel on it and whether the pixel is on the picture; "I y x lat lon" a
// pixel's position; "R lat lon lat lon …" a ring; "P lat lon in" a point tested against it.
import fs from "node:fs";
import { View } from "./proj.mjs";
import { pointInRing } from "./lib.mjs";

const f32 = Math.fround;
const pictures = new Map(); // "V …" line -> its lines
const linesOf = new WeakMap(); // View -> its lines

const forward = (v, lat, lon) => {
  const x = v.x(lat, lon), y = v.y(lat);
  return `F ${lat} ${lon} ${x} ${y} ${v.onImage(x, y) ? 1 : 0}`;
};

// The view on a w × h picture. A picture's first use puts a grid of its pixels in the table:
// edges, middle and quarters, each pixel's position, and the positions half a pixel beside it,
// where rounding decides; and the poles, which the projection takes apart.
export function pictureView(view, w, h) {
  const v = new View(view[0], view[1], view[2], w, h);
  const key = `V ${view.join(" ")} ${w} ${h}`;
  if (!pictures.has(key)) {
    const lines = new Set();
    for (const y of [0, 1, h >> 2, h >> 1, (3 * h) >> 2, h - 1, h])
      for (const x of [0, 1, w >> 2, w >> 1, (w >> 1) + 1, (3 * w) >> 2, w - 1, w]) {
        const lat = v.latOf(y), lon = v.lonOf(y, x);
        lines.add(`I ${y} ${x} ${lat} ${lon}`);
        const half = [[lat, lon], [lat + (v.latOf(y + 1) - lat) / 2, lon], [lat, lon + (v.lonOf(y, x + 1) - lon) / 2]];
        for (const [la, lo] of half) if (Math.abs(la) <= 90) lines.add(forward(v, la, lo));
      }
    for (const lat of [90, -90]) lines.add(forward(v, lat, view[2] + 1));
    pictures.set(key, lines);
  }
  linesOf.set(v, pictures.get(key));
  return v;
}

// Whether the position shows on a picture of pictureView. One within 1.5 pixels of an edge, whose
// answer a different rounding could turn, goes into the table.
export function showsOn(v, lat, lon) {
  const x = v.xf(lat, lon), y = v.yf(lat);
  if (Math.min(Math.abs(x), Math.abs(x - v.W), Math.abs(y), Math.abs(y - v.H)) <= 1.5) linesOf.get(v).add(forward(v, lat, lon));
  return v.onImage(v.x(lat, lon), v.y(lat));
}

// Writes the table, with lib.mjs's verdicts for points against each ring ([lat, lon] vertices,
// taken in single precision as the game stores them): its vertices, the middles of its edges,
// points just beside a vertex on its parallel and a grid over its box.
export function writeProjectionTable(path, rings) {
  const out = [];
  for (const [key, lines] of pictures) out.push(key, ...lines);
  for (const ring of rings) {
    const r = ring.map(([la, lo]) => [f32(la), f32(lo)]);
    const asLib = r.map(([la, lo]) => [lo, la]);
    const points = [];
    r.forEach(([la, lo], i) => {
      const [nla, nlo] = r[(i + 1) % r.length];
      points.push([la, lo], [f32((la + nla) / 2), f32((lo + nlo) / 2)], [la, f32(lo - 1e-3)], [la, f32(lo + 1e-3)]);
    });
    const lats = r.map(([la]) => la), lons = r.map(([, lo]) => lo);
    const [s, n, w, e] = [Math.min(...lats), Math.max(...lats), Math.min(...lons), Math.max(...lons)];
    for (let i = 0; i <= 16; i++) for (let j = 0; j <= 16; j++) points.push([f32(s + ((n - s) * i) / 16), f32(w + ((e - w) * j) / 16)]);
    out.push(`R ${r.flat().join(" ")}`);
    for (const [la, lo] of points) out.push(`P ${la} ${lo} ${pointInRing(lo, la, asLib) ? 1 : 0}`);
  }
  fs.writeFileSync(path, out.join("\n") + "\n");
}
