# Dumps Natural Earth 50m polygons from Debian's r-cran-rnaturalearthdata as GeoJSON: the admin-1
# areas of the four countries shown by state or province, and all admin-0 countries (the same
# Natural Earth release, so their borders meet the states' borders exactly).
# Usage: Rscript states50.R states.json countries.json
suppressPackageStartupMessages(library(sp))
args <- commandArgs(trailingOnly = TRUE)
num <- function(x) formatC(x, digits = 6, format = "f")
esc <- function(s) gsub('"', '\\\\"', enc2utf8(as.character(s)))
dump <- function(sp, idx, props, file) {
  feats <- character(0)
  for (i in idx) {
    polys <- character(0)
    for (q in sp@polygons[[i]]@Polygons) {
      if (q@hole) next  # holes are lakes here; the game draws lakes from their own file
      cc <- q@coords
      polys <- c(polys, paste0("[[", paste0("[", num(cc[, 1]), ",", num(cc[, 2]), "]", collapse = ","), "]]"))
    }
    feats <- c(feats, paste0('{"type":"Feature","properties":{', props(i),
      '},"geometry":{"type":"MultiPolygon","coordinates":[', paste(polys, collapse = ","), "]}}"))
  }
  writeLines(paste0('{"type":"FeatureCollection","features":[', paste(feats, collapse = ",\n"), "]}"), file, useBytes = TRUE)
}
data(states50, package = "rnaturalearthdata")
d <- states50@data
dump(states50, which(d$iso_a2 %in% c("US", "CA", "AU", "BR")),
  function(i) paste0('"name":"', esc(d$name[i]), '","admin":"', esc(d$iso_a2[i]), '"'), args[1])
data(countries50, package = "rnaturalearthdata")
c0 <- countries50@data
dump(countries50, seq_len(nrow(c0)),
  function(i) paste0('"a3":"', esc(c0$adm0_a3[i]), '","iso_a3":"', esc(c0$iso_a3[i]), '"'), args[2])
