#pragma once

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// A FIFO that tells whether anything opened it. Rich text loads the picture of an "<img>" as a
// file, and a FIFO named there freezes the program; tests name one in a text and check that it
// stayed shut. A writer opens it again and again, so a reader never waits; the destructor
// releases the writer by opening the reading end without blocking.
class FifoTrap {
public:
    explicit FifoTrap(const QString& folder) : m_path(folder + QStringLiteral("/fifo")) {
        m_made = ::mkfifo(m_path.toLocal8Bit().constData(), 0600) == 0;
        if (m_made)
            m_writer = std::thread([this] { serve(); });
    }
    ~FifoTrap() {
        if (!m_made)
            return;
        m_released = true;
        const int fd = ::open(m_path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
        m_writer.join();
        if (fd >= 0)
            ::close(fd);
    }
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    bool made() const { return m_made; }
    QString path() const { return m_path; }
    QString picture() const { return QStringLiteral("<img src=\"%1\">").arg(m_path); }
    // Readers that opened the FIFO so far; a short wait lets a writer that just got through count.
    int opens() const {
        QTest::qWait(20);
        return m_opens;
    }

private:
    void serve() {
        while (!m_released) {
            const int fd = ::open(m_path.toLocal8Bit().constData(), O_WRONLY); // waits for a reader
            if (fd < 0)
                return;
            if (!m_released)
                ++m_opens;
            ::close(fd); // the reader sees the end of the file
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    QString m_path;
    bool m_made = false;
    std::atomic<bool> m_released{false};
    std::atomic<int> m_opens{0};
    std::thread m_writer;
};

// The characters Qt puts on screen for a text it is given in automatic format, as labels and
// tooltips take it.
inline QString ShownText(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

// Pixels of a clear red, as "<font color=red>" would paint them.
inline int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ++count;
        }
    return count;
}

// The tooltip on screen, or nullptr.
inline QWidget* ShownToolTip() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}
