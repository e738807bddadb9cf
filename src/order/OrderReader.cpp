#include "order/OrderReader.h"

#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "common/TextFile.h"

#include <charconv>
#include <cmath>
#include <cstring>

bool OrderFileReader::Read(const QString& path) {
    m_lines.clear();
    m_problem.clear();
    try {
        TextFile::ReadBytesInto(path, m_bytes);
    } catch (const TextFile::ReadError& e) {
        m_problem = QStringLiteral("soubor nelze načíst: %1").arg(e.reason());
        return false;
    }

    TextFile::ForEachLine(QByteArrayView(m_bytes), [this](qsizetype start, qsizetype length, qsizetype) {
        m_lines.push_back({start, length});
    });

    if (lineCount() < kMinLines) {
        m_problem = QStringLiteral("soubor má jen %1")
                        .arg(CzechFormat::CountOf(lineCount(), QStringLiteral("řádek"), QStringLiteral("řádky"),
                                                  QStringLiteral("řádků")));
        return false;
    }
    return true;
}

QString OrderFileReader::text(int i) const {
    return Decode(line(i));
}

QString OrderFileReader::Decode(QByteArrayView bytes) {
    return Cp1250::Decode(QByteArray::fromRawData(bytes.data(), bytes.size()));
}

QByteArrayView OrderFileReader::Field(QByteArrayView line, int index) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (;;) {
        if (p >= end)
            return {};
        const auto* bar = static_cast<const char*>(std::memchr(p, '|', std::size_t(end - p)));
        if (!bar)
            return {};
        if (index == 0)
            return QByteArrayView(p, bar - p);
        --index;
        p = bar + 1;
    }
}

std::optional<double> OrderFileReader::Number(QByteArrayView text) {
    // The usual amount, [-]digits[,digits], is read here; anything else (blanks, a sign "+", other
    // characters) goes the regional way, which gives the same value for the usual form.
    char buffer[64];
    const qsizetype n = text.size();
    bool plain = n > 0 && n < qsizetype(sizeof buffer);
    int digits = 0;
    int commas = 0;
    for (qsizetype i = 0; plain && i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            buffer[i] = c;
        } else if (c == ',' && commas == 0) {
            ++commas;
            buffer[i] = '.';
        } else if (c == '-' && i == 0) {
            buffer[i] = c;
        } else {
            plain = false;
        }
    }
    if (plain && digits > 0 && buffer[0] != '.' && buffer[n - 1] != '.' &&
        !(n > 1 && buffer[0] == '-' && buffer[1] == '.')) {
        double value = 0;
        const auto [end, ec] = std::from_chars(buffer, buffer + n, value);
        if (ec == std::errc() && end == buffer + n && std::isfinite(value))
            return value;
    }
    return CzechFormat::ParseNumber(Decode(text));
}

std::optional<QDate> OrderFileReader::Date(QByteArrayView text) {
    // d.m.yyyy as the program writes it; any other form goes the regional way.
    int parts[3] = {0, 0, 0};
    int lengths[3] = {0, 0, 0};
    int part = 0;
    bool plain = !text.isEmpty();
    for (qsizetype i = 0; plain && i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9' && lengths[part] < 4) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++lengths[part];
        } else if (c == '.' && part < 2) {
            ++part;
        } else {
            plain = false;
        }
    }
    if (plain && part == 2 && lengths[0] >= 1 && lengths[0] <= 2 && lengths[1] >= 1 && lengths[1] <= 2 &&
        lengths[2] == 4) {
        const QDate date(parts[2], parts[1], parts[0]);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    return CzechFormat::ParseDate(Decode(text));
}
