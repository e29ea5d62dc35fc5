#pragma once

#include "tooltip/TipMarkup.h"

class QPainter;
class QPainterPath;

// Fills a tip's balloon with the background effect its markup names.
class TipBackground {
public:
    static void Paint(QPainter& painter, const QPainterPath& balloon, const TipMarkup& markup);
};
