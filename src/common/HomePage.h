#pragma once

#include <QString>

// The program's web pages: the About box shows the host, the Help menu opens the pages.
namespace HomePage {
inline QString Host() {
    return QStringLiteral("www.velorin.example");
}
inline QString Url() {
    return QStringLiteral("http://") + Host() + QLatin1Char('/');
}
inline QString HelpUrl() {
    return Url() + QStringLiteral("napoveda/");
}
} // namespace HomePage
