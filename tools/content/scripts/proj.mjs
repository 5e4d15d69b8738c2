// The game's map projection and view fit, as the map object computes them, on the 1916 x 1000
// map picture the exercises are drawn on. Used to pick selectors that show and to place sea points.
export const W = 1916, H = 1000;
const f32 = Math.fround;
export const rint = (x) => { const r = Math.round(x); return Math.abs(x % 1) === 0.5 ? 2 * Math.round(x / 2) : r; };
const interpolate = (v, fl, fh, tl, th) => { const h = f32(fh + 1e-8); const q = (v - fl) / (h - fl); return f32(tl + (th - tl) * q); };

export class View {
  constructor(top, bottom, centre) { this.top = f32(top); this.bottom = f32(bottom); this.centre = f32(centre); this.updateScale(); }
  updateScale() { this.scale = rint(Math.abs((this.top + this.bottom) / 2) / 90 * 50) + 90; }
  y(lat) { lat = Math.max(-90, Math.min(90, lat)); return rint(H - interpolate(f32(lat), this.bottom, this.top, 0, H)); }
  x(lat, lon) {
    lat = f32(lat); const p = f32(H / (this.top - this.bottom)); const d = f32(f32(lon) - this.centre);
    if (lat === 90 || lat === -90) return rint(W / 2);
    return rint(Math.sqrt(8100 - lat * lat) * d / this.scale * p + W / 2);
  }
  latOf(y) { return Math.max(-90, Math.min(90, interpolate(y, 0, H, this.top, this.bottom))); }
  lonOf(y, x) {
    const lat = this.latOf(y); const p = f32(H / (this.top - this.bottom));
    if (lat === 90 || lat === -90) return this.centre;
    return f32(this.centre + (x - Math.floor(W / 2)) / Math.sqrt(8100 - lat * lat) * this.scale / p);
  }
  halfSpan() { return Math.min(this.centre - this.lonOf(Math.floor(H / 2), 0), this.centre - this.lonOf(H, 0), 1000); }
  // An area's outline is drawn only when its box is near the picture.
  areaVisible(r) { return r.box.n >= this.bottom && r.box.s <= this.top && this.x(r.box.n, r.box.e) >= -100 && this.x(r.box.n, r.box.w) <= W + 100; }
  onImage(x, y) { return x > 0 && x < W && y > 0 && y < H; }
  // The whole box of an area lies on the picture.
  boxShows(b) { return [[b.n, b.e], [b.n, b.w], [b.s, b.e], [b.s, b.w]].every(([la, lo]) => this.onImage(this.x(la, lo), this.y(la))); }
}

// The view fitted to included areas, as the map does when an exercise gives none.
export function fitView(recs) {
  let n = -10000, s = 10000, e = -10000, w = 10000;
  for (const r of recs) { if (!r.vertices.length) continue; n = Math.max(n, r.box.n); s = Math.min(s, r.box.s); e = Math.max(e, r.box.e); w = Math.min(w, r.box.w); }
  const v = new View(n + (n - s) / 25, s - (n - s) / 25, (w + e) / 2);
  const need = Math.max(e - v.centre, v.centre - w);
  for (let i = 0; i < 1000 && v.halfSpan() < need; i++) {
    v.top = f32(v.top + (v.top - v.bottom) / 100); v.bottom = f32(v.bottom - (v.top - v.bottom) / 100); v.updateScale();
  }
  return v;
}
