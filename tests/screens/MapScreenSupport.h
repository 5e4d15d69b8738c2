// Helpers of the map screen tests: a real-sized offscreen screen, clicks on the map picture, and
// the pixels a player would click for a place or an area, worked out from the lists and the
// projection (not from the drawing).
#pragma once

#include "map/UKarta.h"
#include "platform/Types.h"

#include <QPoint>
#include <QString>
#include <optional>
#include <ostream>
#include <string>

class TfrmOvningKarta;

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Points the offscreen platform at a screen configuration file. Construct it before the
// QApplication exists (a global object does); a platform other than offscreen is left alone.
struct OffscreenScreenConfig {
    explicit OffscreenScreenConfig(const char* configFile);
};

// The pixel of a place on the map.
QPoint PlacePixel(const CKarta& map, const COrt& place);
// The position a click at the pixel stands for, converted as the screen converts it.
GeoPoint ClickedPoint(const CKarta& map, QPoint pixel);
bool OnPicture(const CKarta& map, QPoint pixel);

// The included place nearest to a click at the pixel (rounded pixel distance, earlier place on
// equal distance), or null.
const COrt* NearestPlace(const CKarta& map, QPoint pixel);
// A pixel on the picture whose click is nearest to the place: its own pixel if possible, else
// the closest such pixel within `radius`. `ownPixel` tells which.
std::optional<QPoint> FindPlacePixel(const CKarta& map, const COrt& place, int radius,
                                     bool* ownPixel = nullptr);

// The included area that owns a position: of those whose outline contains it, the one that
// reaches least far north (the earlier one on equal values); null if none.
const CArea* OwningArea(const CAreor& areas, const GeoPoint& point);

struct AreaPixel {
    QPoint pixel;
    // The picture shows `fill` there (the player sees the area's colour where he clicks).
    bool showsFill = false;
};
// A pixel on the picture owned by an area that has the selector: a seed of such an area if it
// works, else a point of a scan of the areas' boxes, preferring pixels painted `fill`.
std::optional<AreaPixel> FindAreaPixel(const CKarta& map, const std::string& selector, TColor fill);

// A mouse press on the map picture at a pixel, with the given button.
void ClickMap(TfrmOvningKarta& screen, QPoint pixel, Qt::MouseButton button = Qt::LeftButton);
// The colour of a pixel of the map picture.
TColor MapPixel(TfrmOvningKarta& screen, QPoint pixel);

class COvningOrt;
class COvningLandArea;
// Plays the current question and the next one of a running exercise: three wrong clicks on the
// first (the answer is highlighted and stays so), four on the second (it blinks), each then
// answered. Checks the pixels of the map at every blink tick. Stops the real blink timer.
void CheckPlaceHighlightAndBlink(TfrmOvningKarta& screen, COvningOrt& exercise);
void CheckAreaHighlightAndBlink(TfrmOvningKarta& screen, COvningLandArea& exercise);
