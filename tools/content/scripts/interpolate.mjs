// The map's interpolation (Interpolate in map/Geometry) as the game computes it: in extended
// precision (64-bit significands), the quotient taken as a double, the result in single
// precision. Double arithmetic gives the same float except within a hair of a rounding tie
// (a latitude half a pixel from a row), where exact arithmetic on m × 2^e decides.
const f32 = Math.fround;

// A finite double as [m, e] with value m × 2^e, m an integer.
function exact(x) {
  const d = new DataView(new ArrayBuffer(8));
  d.setFloat64(0, x);
  const bits = d.getBigUint64(0), exp = Number((bits >> 52n) & 0x7ffn);
  const m = (bits & 0xfffffffffffffn) | (exp ? 1n << 52n : 0n);
  return [x < 0 ? -m : m, (exp || 1) - 1075];
}
const bitLength = (m) => (m === 0n ? 0 : (m < 0n ? -m : m).toString(2).length);
// Rounded to `bits` significant bits, halves to even.
function round([m, e], bits) {
  const drop = bitLength(m) - bits;
  if (drop <= 0) return [m, e];
  const a = m < 0n ? -m : m, d = BigInt(drop);
  const q = a >> d, r = a - (q << d), half = 1n << (d - 1n);
  const n = q + (r > half || (r === half && (q & 1n)) ? 1n : 0n);
  return [m < 0n ? -n : n, e + drop];
}
const add = ([a, ea], [b, eb], bits) =>
  round(ea < eb ? [a + (b << BigInt(eb - ea)), ea] : [(a << BigInt(ea - eb)) + b, eb], bits);
const sub = (x, [b, eb], bits) => add(x, [-b, eb], bits);
const mul = ([a, ea], [b, eb], bits) => round([a * b, ea + eb], bits);
function div([a, ea], [b, eb], bits) {
  const neg = (a < 0n) !== (b < 0n), A = a < 0n ? -a : a, B = b < 0n ? -b : b;
  const s = Math.max(0, bits + 3 + bitLength(B) - bitLength(A));
  const n = A << BigInt(s), q = n / B;
  const m = (q << 1n) | (n % B ? 1n : 0n); // the last bit stands for any remainder
  return round([neg ? -m : m, ea - eb - s - 1], bits);
}
const number = ([m, e]) => Number(m) * 2 ** e;

function extended(v, fl, fh, tl, th) {
  const x = 64;
  const h = exact(number(round(add(exact(fh), exact(1e-8), x), 24)));
  const q = round(div(sub(exact(v), exact(fl), x), sub(h, exact(fl), x), x), 53);
  return number(round(add(exact(tl), mul(sub(exact(th), exact(tl), x), q, x), x), 24));
}

// The same float as round(s) in either precision: s lies farther than eps from every tie.
const clear = (s, eps) => f32(s - eps) === f32(s + eps);

export function interpolate(v, fl, fh, tl, th) {
  const s = fh + 1e-8, h = f32(s);
  const q = (v - fl) / (h - fl);
  const t = tl + (th - tl) * q;
  // the extended steps stay within a few double units of the last place of these operands
  if (clear(s, Math.abs(s) * 1e-12) && clear(t, (Math.abs(tl) + Math.abs(th - tl)) * 1e-12)) return f32(t);
  return extended(v, fl, fh, tl, th);
}
