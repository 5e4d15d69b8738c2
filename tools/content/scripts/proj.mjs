// The game's map projection, as the map object computes it, on the 1916 x 1000 map picture of a
// 1920 x 1080 screen and on the pictures of the other screens a player has. Used to pick selectors
// that show and to cut the data to the views.
import { interpolate } from "./interpolate.mjs";

export const W = 1916, H = 1000;

// The map picture the exercise screen gives on a maximised screen: the window less a panel, its
// 32-pixel top bar and a 2-pixel border, in device pixels. The same list as the content test's.
const mapOn = (w, h, panelW = 0, panelH = 0, ratio = 1) =>
  [ratio * (Math.floor(w / ratio) - panelW - 4), ratio * (Math.floor(h / ratio) - panelH - 36)];
export const SHAPES = [[1916, 1000]];
for (const [w, h] of [[1920, 1080], [1920, 1200], [1366, 768], [1440, 900], [1280, 800], [1280, 1024], [1024, 768], [2560, 1080]])
  SHAPES.push(mapOn(w, h), mapOn(w, h, 0, 70), mapOn(w, h, 70, 0));
SHAPES.push(mapOn(3840, 2160, 0, 0, 2), mapOn(3840, 2160, 0, 70, 2), mapOn(3840, 2160, 70, 0, 2), mapOn(1920, 1080, 0, 0, 2));
// The narrowest and the widest picture: what shows on both shows on all.
export const NARROW = SHAPES.reduce((a, b) => (b[0] / b[1] < a[0] / a[1] ? b : a));
export const WIDE = SHAPES.reduce((a, b) => (b[0] / b[1] > a[0] / a[1] ? b : a));
const f32 = Math.fround;
export const rint = (x) => { const r = Math.round(x); return Math.abs(x % 1) === 0.5 ? 2 * Math.round(x / 2) : r; };

export class View {
  constructor(top, bottom, centre, w = W, h = H) {
    this.top = f32(top); this.bottom = f32(bottom); this.centre = f32(centre); this.W = w; this.H = h; this.updateScale();
    this.keepLongitudes();
  }
  // On a picture narrower than the reference the latitudes widen about their middle, so that
  // every row shows the longitudes it shows at 1916 x 1000 (the map's KeepLongitudes).
  keepLongitudes() {
    const aspect = this.W / this.H, ref = W / H;
    if (aspect >= ref) return;
    const middle = (this.top + this.bottom) / 2, half = (this.top - this.bottom) / 2 * (ref / aspect);
    this.top = f32(middle + half); this.bottom = f32(middle - half);
  }
  updateScale() { this.scale = rint(Math.abs((this.top + this.bottom) / 2) / 90 * 50) + 90; }
  y(lat) { return rint(this.yf(lat)); }
  x(lat, lon) { return rint(this.xf(lat, lon)); }
  // The same before rounding to whole pixels.
  yf(lat) { lat = Math.max(-90, Math.min(90, lat)); return this.H - interpolate(f32(lat), this.bottom, this.top, 0, this.H); }
  xf(lat, lon) {
    lat = f32(lat); const p = f32(this.H / (this.top - this.bottom)); const d = f32(f32(lon) - this.centre);
    if (lat === 90 || lat === -90) return this.W / 2;
    return Math.sqrt(8100 - lat * lat) * d / this.scale * p + this.W / 2;
  }
  latOf(y) { return Math.max(-90, Math.min(90, interpolate(y, 0, this.H, this.top, this.bottom))); }
  lonOf(y, x) {
    const lat = this.latOf(y); const p = f32(this.H / (this.top - this.bottom));
    if (lat === 90 || lat === -90) return this.centre;
    return f32(this.centre + (x - Math.floor(this.W / 2)) / Math.sqrt(8100 - lat * lat) * this.scale / p);
  }
  onImage(x, y) { return x > 0 && x < this.W && y > 0 && y < this.H; }
  // The whole box of an area lies on the picture.
  boxShows(b) { return [[b.n, b.e], [b.n, b.w], [b.s, b.e], [b.s, b.w]].every(([la, lo]) => this.onImage(this.x(la, lo), this.y(la))); }
}

// The views of the exercises: top latitude, bottom latitude, centre longitude, as shown on the
// 1916 x 1000 picture; a narrower picture shows the same longitudes and more latitude. The part
// views were widened (and shifted) while a view kept its latitudes on every picture, so that
// every question showed on the narrowest picture (NARROW, a 5:4 screen with a panel beside it).
export const VIEWS = {
  EUR: [71.5, 34, 19], NOR: [85, 5, -95], SYD: [14, -57, -60], ASI: [61, -16, 85], AFR: [38.5, -36, 18], AUS: [12, -48, 154],
  WORLD: [84, -84, 28],
  "USA-ST": [72, 17, -115], "CAN-PR": [84, 40, -96], "AUS-ST": [-8, -45, 134], "BRA-ST": [7, -35, -53],
  // fitted to the country's outline with about 30 px to spare on the 1916 x 1000 picture (China's
  // a little east, so that the picture's edge does not cut off a corner of the Caspian)
  "CHN-PR": [55, 17, 105], "IND-ST": [37, 5.5, 81], "ARG-PR": [-20.5, -56.5, -64], "MEX-ST": [34, 13, -101.5],
};
// The views of AREA3, one per subdivided country (the group key of its subdivisions).
export const STATE_VIEWS = ["USA-ST", "CAN-PR", "AUS-ST", "BRA-ST", "CHN-PR", "IND-ST", "ARG-PR", "MEX-ST"];

// What a view's picture shows, as a ring of longitude/latitude pairs, widened by `margin` degrees:
// the picture's left and right edges row by row. Longitudes are those of the stored data
// (-180..180): the map projects a longitude as it is stored, so data beyond ±180 never shows.
export function pictureRing([top, bottom, centre], margin) {
  // the narrowest picture shows the most latitude and, on every row, the same longitudes
  const v = new View(top, bottom, centre, NARROW[0], NARROW[1]);
  const W = v.W, H = v.H;
  const clampLon = (x) => Math.max(-180, Math.min(180, x));
  const clampLat = (y) => Math.max(-90, Math.min(90, y));
  const left = [], right = [];
  for (let y = 0; y <= H; y += 10) {
    const lat = clampLat(v.latOf(y) + (y === 0 ? margin : y === H ? -margin : 0));
    // the row's own span, and the next rows' (the picture widens towards the equator)
    const next = Math.min(H, y + 10);
    // beyond a pole a row is all one point; next to it the picture shows every longitude
    const polar = [y, next].some((r) => Math.abs(v.latOf(r)) >= 90);
    const w = polar ? -180 : Math.min(v.lonOf(y, 0), v.lonOf(next, 0)), e = polar ? 180 : Math.max(v.lonOf(y, W), v.lonOf(next, W));
    left.push([clampLon(w - margin), lat]);
    right.push([clampLon(e + margin), lat]);
  }
  // clockwise, as mapshaper reads an outer ring
  const ring = [...right, ...left.reverse()];
  ring.push(ring[0]);
  return ring;
}
