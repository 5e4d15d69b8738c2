// The content scripts choose selectors, cut views and move dots with their own copy of the map's
// projection (scripts/proj.mjs) and point-in-ring test (scripts/lib.mjs); the table they write
// (scripts/projection-table.mjs) is put here to the map's own code.
#pragma once

#include <string>

// Answers every line of the table with CKarta on a picture of its size (as SetView gives the
// view) and map/Geometry's PointInPolygon. Throws on any difference, naming the first and writing
// all to <path>.differences, or when the table cannot be read; returns the number compared.
long CheckProjectionTable(const std::string& path);
