// The parts of the world with their names, area file and view; the words of the exercises'
// titles; and the physical-geography place exercises: the code a place of tables/physical.csv
// names in its `asked` column (the exercise's one selector), the exercise's number, world part and
// what it asks. The order is the menu's: each part's exercises follow its others.
import { VIEWS } from "./proj.mjs";

export const PARTS = {
  EUR: { names: ["Europa", "Europe", "Europe", "Europa", "Europa"], file: 2, view: VIEWS.EUR },
  NOR: { names: ["Nordamerika", "North America", "Amérique du Nord", "Nordamerika", "Norteamérica"], file: 2, view: VIEWS.NOR },
  SYD: { names: ["Sydamerika", "South America", "Amérique du Sud", "Südamerika", "Sudamérica"], file: 2, view: VIEWS.SYD },
  ASI: { names: ["Asien", "Asia", "Asie", "Asien", "Asia"], file: 2, view: VIEWS.ASI },
  AFR: { names: ["Afrika", "Africa", "Afrique", "Afrika", "África"], file: 2, view: VIEWS.AFR },
  AUS: { names: ["Oceanien", "Oceania", "Océanie", "Ozeanien", "Oceanía"], file: 2, view: VIEWS.AUS },
};
export const WORLD = { names: ["Världen", "The world", "Le monde", "Die Welt", "El mundo"], file: 1, view: VIEWS.WORLD };

// The words of the exercises' titles.
export const T = {
  countries: ["länder", "countries", "pays", "Länder", "países"],
  capitals: ["huvudstäder", "capitals", "capitales", "Hauptstädte", "capitales"],
  cities: ["storstäder", "major cities", "grandes villes", "Großstädte", "grandes ciudades"],
  flags: ["flaggor", "flags", "drapeaux", "Flaggen", "banderas"],
  multi: ["huvudstäder (flerval)", "capitals (multiple choice)", "capitales (choix multiple)", "Hauptstädte (Multiple Choice)", "capitales (opción múltiple)"],
  big: ["stora länder", "large countries", "grands pays", "große Länder", "países grandes"],
  medium: ["medelstora länder", "medium-sized countries", "pays de taille moyenne", "mittelgroße Länder", "países medianos"],
  small: ["små länder", "small countries", "petits pays", "kleine Länder", "países pequeños"],
  part: ["del", "part", "partie", "Teil", "parte"],
  seas: ["hav och oceaner", "seas and oceans", "mers et océans", "Meere und Ozeane", "mares y océanos"],
  seasGulfs: ["hav och vikar", "seas and gulfs", "mers et golfes", "Meere und Buchten", "mares y golfos"],
  mountains: ["berg och bergskedjor", "mountains and ranges", "montagnes et massifs", "Berge und Gebirge", "montañas y cordilleras"],
  rivers: ["floder", "rivers", "fleuves", "Flüsse", "ríos"],
  lakes: ["sjöar", "lakes", "lacs", "Seen", "lagos"],
  deserts: ["öknar", "deserts", "déserts", "Wüsten", "desiertos"],
  islands: ["öar", "islands", "îles", "Inseln", "islas"],
  lakesIslands: ["sjöar och öar", "lakes and islands", "lacs et îles", "Seen und Inseln", "lagos e islas"],
  riversLakes: ["floder och sjöar", "rivers and lakes", "cours d’eau et lacs", "Flüsse und Seen", "ríos y lagos"],
  islandsSeas: ["öar och hav", "islands and seas", "îles et mers", "Inseln und Meere", "islas y mares"],
  mountainsDeserts: ["berg och öknar", "mountains and deserts", "montagnes et déserts", "Berge und Wüsten", "montañas y desiertos"],
  landRivers: ["berg, öknar och floder", "mountains, deserts and rivers", "montagnes, déserts et cours d’eau", "Berge, Wüsten und Flüsse", "montañas, desiertos y ríos"],
};

const at = (code) => {
  const p = code === "*" ? WORLD : PARTS[code];
  return { part: code, areaFile: p.file, view: p.view };
};
const ALL = at("*"), EUR = at("EUR"), AFR = at("AFR"), AUS = at("AUS"), ASI = at("ASI"), NOR = at("NOR"), SYD = at("SYD");

export const PHYSICAL = [
  { code: "W-SEA", number: 66, ...ALL, what: T.seas },
  { code: "W-MNT", number: 67, ...ALL, what: T.mountains },
  { code: "W-RIV", number: 68, ...ALL, what: T.rivers },
  { code: "W-LAKE", number: 69, ...ALL, what: T.lakes },
  { code: "W-DES", number: 70, ...ALL, what: T.deserts },
  { code: "W-ISL", number: 71, ...ALL, what: T.islands },
  { code: "EUR-SEA", number: 72, ...EUR, what: T.seasGulfs },
  { code: "EUR-RIV", number: 73, ...EUR, what: T.rivers },
  { code: "EUR-MNT", number: 74, ...EUR, what: T.mountains },
  { code: "EUR-LI", number: 75, ...EUR, what: T.lakesIslands },
  { code: "AFR-RL", number: 76, ...AFR, what: T.riversLakes },
  { code: "AFR-MNT", number: 77, ...AFR, what: T.mountains },
  { code: "AFR-DES", number: 78, ...AFR, what: T.deserts },
  { code: "AFR-IS", number: 79, ...AFR, what: T.islandsSeas },
  { code: "OCE-IS", number: 80, ...AUS, what: T.islandsSeas },
  { code: "OCE-LR", number: 81, ...AUS, what: T.landRivers },
  { code: "ASI-SEA", number: 82, ...ASI, what: T.islandsSeas },
  { code: "ASI-RL", number: 83, ...ASI, what: T.riversLakes },
  { code: "ASI-MD", number: 84, ...ASI, what: T.mountainsDeserts },
  { code: "NAC-SEA", number: 85, ...NOR, what: T.islandsSeas },
  { code: "NAC-RL", number: 86, ...NOR, what: T.riversLakes },
  { code: "NAC-MD", number: 87, ...NOR, what: T.mountainsDeserts },
  { code: "SYD-SEA", number: 88, ...SYD, what: T.islandsSeas },
  { code: "SYD-RL", number: 89, ...SYD, what: T.riversLakes },
  { code: "SYD-MD", number: 90, ...SYD, what: T.mountainsDeserts },
];
