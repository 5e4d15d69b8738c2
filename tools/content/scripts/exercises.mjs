// The physical-geography place exercises: the code a place of tables/physical.csv names in its
// `asked` column (the exercise's one selector), the exercise's number, world part and what it
// asks. The order is the menu's: each part's exercises follow its others.
import { VIEWS } from "./proj.mjs";

const W = {
  seas: ["hav och oceaner", "seas and oceans", "mers et océans", "Meere und Ozeane", "mares y océanos"],
  seasGulfs: ["hav och vikar", "seas and gulfs", "mers et golfes", "Meere und Buchten", "mares y golfos"],
  mountains: ["berg och bergskedjor", "mountains and ranges", "montagnes et massifs", "Berge und Gebirge", "montañas y cordilleras"],
  rivers: ["floder", "rivers", "fleuves", "Flüsse", "ríos"],
  lakes: ["sjöar", "lakes", "lacs", "Seen", "lagos"],
  deserts: ["öknar", "deserts", "déserts", "Wüsten", "desiertos"],
  islands: ["öar", "islands", "îles", "Inseln", "islas"],
  lakesIslands: ["sjöar och öar", "lakes and islands", "lacs et îles", "Seen und Inseln", "lagos e islas"],
  riversLakes: ["floder och sjöar", "rivers and lakes", "fleuves et lacs", "Flüsse und Seen", "ríos y lagos"],
  islandsSeas: ["öar och hav", "islands and seas", "îles et mers", "Inseln und Meere", "islas y mares"],
  mountainsDeserts: ["berg och öknar", "mountains and deserts", "montagnes et déserts", "Berge und Wüsten", "montañas y desiertos"],
  landRivers: ["berg, öknar och floder", "mountains, deserts and rivers", "montagnes, déserts et fleuves", "Berge, Wüsten und Flüsse", "montañas, desiertos y ríos"],
};

const part = (code, areaFile, view) => ({ part: code, areaFile, view });
const WORLD = part("*", 1, VIEWS.WORLD), EUR = part("EUR", 2, VIEWS.EUR), AFR = part("AFR", 1, VIEWS.AFR),
  AUS = part("AUS", 1, VIEWS.AUS), ASI = part("ASI", 1, VIEWS.ASI), NOR = part("NOR", 1, VIEWS.NOR), SYD = part("SYD", 1, VIEWS.SYD);

export const PHYSICAL = [
  { code: "W-SEA", number: 66, ...WORLD, what: W.seas },
  { code: "W-MNT", number: 67, ...WORLD, what: W.mountains },
  { code: "W-RIV", number: 68, ...WORLD, what: W.rivers },
  { code: "W-LAKE", number: 69, ...WORLD, what: W.lakes },
  { code: "W-DES", number: 70, ...WORLD, what: W.deserts },
  { code: "W-ISL", number: 71, ...WORLD, what: W.islands },
  { code: "EUR-SEA", number: 72, ...EUR, what: W.seasGulfs },
  { code: "EUR-RIV", number: 73, ...EUR, what: W.rivers },
  { code: "EUR-MNT", number: 74, ...EUR, what: W.mountains },
  { code: "EUR-LI", number: 75, ...EUR, what: W.lakesIslands },
  { code: "AFR-RL", number: 76, ...AFR, what: W.riversLakes },
  { code: "AFR-MNT", number: 77, ...AFR, what: W.mountains },
  { code: "AFR-DES", number: 78, ...AFR, what: W.deserts },
  { code: "AFR-IS", number: 79, ...AFR, what: W.islandsSeas },
  { code: "OCE-IS", number: 80, ...AUS, what: W.islandsSeas },
  { code: "OCE-LR", number: 81, ...AUS, what: W.landRivers },
  { code: "ASI-SEA", number: 82, ...ASI, what: W.islandsSeas },
  { code: "ASI-RL", number: 83, ...ASI, what: W.riversLakes },
  { code: "ASI-MD", number: 84, ...ASI, what: W.mountainsDeserts },
  { code: "NAC-SEA", number: 85, ...NOR, what: W.islandsSeas },
  { code: "NAC-RL", number: 86, ...NOR, what: W.riversLakes },
  { code: "NAC-MD", number: 87, ...NOR, what: W.mountainsDeserts },
  { code: "SYD-SEA", number: 88, ...SYD, what: W.islandsSeas },
  { code: "SYD-RL", number: 89, ...SYD, what: W.riversLakes },
  { code: "SYD-MD", number: 90, ...SYD, what: W.mountainsDeserts },
];
