// Tables and names shared by the generator's steps.
import { readCsv } from "./lib.mjs";
import { createRequire } from "node:module";
const require = createRequire(import.meta.url);

export const LANGS = ["sv", "en", "fr", "de", "es"]; // the game's language order 1..5

// Parts of the source that belong to another country's record (key merged into the target).
export const MERGE = { SOL: "SOM", CYN: "CYP", KAS: "IND", ALA: "FIN", ATC: "AUS", HKG: "CHN", MAC: "CHN" };

// The countries that AREA3 shows by state or province: the country of a subdivision code's prefix.
export const SUB_COUNTRY = { US: "USA", CA: "CAN", AU: "AUS", BR: "BRA", CN: "CHN", IN: "IND", AR: "ARG", MX: "MEX" };

export function loadCountries(dir) {
  const rows = readCsv(`${dir}/tables/countries.csv`);
  const over = Object.fromEntries(readCsv(`${dir}/tables/country-names.csv`).map((r) => [r.iso3, r]));
  const cldr = {};
  for (const l of LANGS) cldr[l] = require(`cldr-localenames-full/main/${l}/territories.json`).main[l].localeDisplayNames.territories;
  for (const r of rows) {
    r.names = LANGS.map((l) => (over[r.iso3] && over[r.iso3][l]) || cldr[l][r.iso2] || r.name_en);
    if (r.names.some((n) => !n)) throw new Error(`no name for ${r.iso3}`);
  }
  return rows;
}

// Five names in language order from a row with en, sv, fr, de, es columns (empty = English).
export const fiveNames = (r, prefix = "") => LANGS.map((l) => r[prefix + l] || r[prefix + "en"]);

// The group key of a world part in area and place records. Two world-part codes are also
// countries' own keys: "NOR" is Norway and "AUS" Australia, so a selector "NOR" would take in all
// of North America. Their records carry "NAC" and "OCE" instead.
export const PART_KEYS = { EUR: "EUR", NOR: "NAC", SYD: "SYD", ASI: "ASI", AFR: "AFR", AUS: "OCE" };
export const partKey = (part) => PART_KEYS[part];

// The South Pacific east of the date line is stored east of 180° (Apia at 188.2° E): the Oceania
// view shows it there, next to Fiji, and no view shows it at its western longitude.
export const pacific = (lat, lon) => (lat < 0 && lon < -150 ? lon + 360 : lon);
