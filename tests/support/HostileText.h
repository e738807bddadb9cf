#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <atomic>
#include <thread>

// A FIFO that tells whether anything opened it. Rich text loads the picture of an "<img>" as a
// file, and a FIFO named there freezes the program; tests name one in a text and check that it
// stayed shut. A writer opens it again and again, so a reader never waits; the destructor
// releases the writer by opening the reading end without blocking.
class FifoTrap {
public:
    explicit FifoTrap(const QString& folder);
    ~FifoTrap();
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    bool made() const { return m_made; }
    QString path() const { return m_path; }
    QString picture() const { return QStringLiteral("<img src=\"%1\">").arg(m_path); }
    // Readers that opened the FIFO so far; a short wait lets a writer that just got through count.
    int opens() const;

private:
    void serve();

    QString m_path;
    bool m_made = false;
    std::atomic<bool> m_released{false};
    std::atomic<int> m_opens{0};
    std::thread m_writer;
};

// The characters Qt puts on screen for a text it is given in automatic format, as labels and
// tooltips take it.
QString ShownText(const QString& text, Qt::TextFormat format = Qt::AutoText);

// Pixels of a clear red, as "<font color=red>" would paint them.
int RedPixels(const QImage& image);

// The tooltip on screen, or nullptr.
QWidget* ShownToolTip();
