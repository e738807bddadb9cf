#pragma once

#include "report/PreparedReport.h"

#include <QImage>
#include <QRectF>
#include <vector>

class QPainter;

// The one painting entry point of the engine. Draws a prepared page with the painter's origin at
// the sheet's top-left corner, pxPerMm device pixels to the millimetre; the painter's device
// may be a widget, a printer, a PDF writer or an image. Draws no background.
// highlightsMm are filled (under the text) to mark found text.
void PaintPage(const PreparedPage& page, QPainter& painter, double pxPerMm,
               const std::vector<QRectF>& highlightsMm = {});

// The page drawn on white at dpi dots per inch.
QImage RenderPageImage(const PreparedPage& page, double dpi);
