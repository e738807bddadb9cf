#pragma once

#include "report/PreparedReport.h"
#include "report/ReportLayout.h"

#include <QPageLayout>

// The one conversion between a layout's page and Qt's page layout, for the page setup of the
// preview, the printer and the PDF writer: the paper in millimetres, landscape when wider than
// tall, the margins as they are and no minimal margins of Qt's own.
QPageLayout ToPageLayout(const PageSetup& page);
// The sheet as it lies (wider than tall in landscape) and its margins.
PageSetup FromPageLayout(const QPageLayout& layout);
// The whole sheet of a prepared page without margins: the pages carry their own.
PageSetup SheetOf(const PreparedPage& page);
