#pragma once

#include "report/PreparedReport.h"

#include <QRectF>

// Where a text was found in prepared pages: the page, the text run of that page
// (PreparedPage::texts) and the character of the run, all from 0.
struct TextMatch {
    int page = -1, text = -1, pos = -1;
    // The found characters on the page, for the highlight.
    QRectF boundsMm;
    bool found() const { return page >= 0; }
};

// The next occurrence of needle within one text run after the match `after`, or from the first
// page when after is not found(); past the last one the search goes once round from the start, so
// a lone occurrence is found again. Letters compare without case but with their diacritics ("Č"
// finds "č", "c" does not). An empty needle or none found gives a match that is not found().
TextMatch FindText(const PreparedReport& report, const QString& needle, const TextMatch& after = {});
