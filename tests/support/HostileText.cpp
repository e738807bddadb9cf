#include "HostileText.h"

#include <QApplication>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FifoTrap::FifoTrap(const QString& folder) : m_path(folder + QStringLiteral("/fifo")) {
    m_made = ::mkfifo(m_path.toLocal8Bit().constData(), 0600) == 0;
    if (m_made)
        m_writer = std::thread([this] { serve(); });
}

FifoTrap::~FifoTrap() {
    if (!m_made)
        return;
    m_released = true;
    const int fd = ::open(m_path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    m_writer.join();
    if (fd >= 0)
        ::close(fd);
}

int FifoTrap::opens() const {
    QTest::qWait(20);
    return m_opens;
}

void FifoTrap::serve() {
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

QString ShownText(const QString& text, Qt::TextFormat format) {
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ++count;
        }
    return count;
}

QWidget* ShownToolTip() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}
