#include "dialogs/ExportDialogs.h"

#include "common/Dialogs.h"
#include "order/DataFolder.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

QString ExportStartPath(const QString& lastFolder, bool installedRun, const QString& homeFolder,
                        const QString& orderFolder, const QString& fileName) {
    QString folder = orderFolder;
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        folder = lastFolder;
    else if (installedRun && !homeFolder.isEmpty())
        folder = homeFolder;
    return QDir(folder).filePath(fileName);
}

bool IsInstalledRun(const Settings& settings) {
    if (IsInstalledTree(QCoreApplication::applicationDirPath()))
        return true;
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return !dataFolder.isEmpty() && QDir(dataFolder) == QDir(settings.ProgramFolder);
}

QString AskExportPath(const Settings& settings, const PaymentOrder& order, const QString& caption,
                      const QString& filter, const QString& suffix) {
    const QFileInfo stem(order.PathWithoutExtension());
    const QString start = ExportStartPath(ReadSettingsKey(settings, SettingsKeys::ExportFolder).value_or(QString()),
                                          IsInstalledRun(settings), QDir::homePath(), stem.path(),
                                          stem.fileName() + QLatin1Char('.') + suffix);
    QString path = GetSaveFileName(caption, start, filter, suffix);
    if (!path.isEmpty() && !QFileInfo(path).fileName().contains(QLatin1Char('.')))
        path += QLatin1Char('.') + suffix;
    return path;
}

void RememberExportFolder(const Settings& settings, const QString& savedPath) {
    const QString folder = QFileInfo(savedPath).absolutePath();
    if (ReadSettingsKey(settings, SettingsKeys::ExportFolder) != folder)
        WriteSettingsKey(settings, SettingsKeys::ExportFolder, folder);
}

void SetUpExportWindow(QDialog* window, const QString& objectName, const QString& caption) {
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    window->setFont(QFont(QStringLiteral("Tahoma"), 8));
    window->setMinimumSize(690, 530);
    window->resize(868, 635);
    window->setSizeGripEnabled(true);
}

QFrame* NewExportPanel(QDialog* window) {
    auto* panel = new QFrame(window);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(57);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

void LayOutExportWindow(QDialog* window, QFrame* panel, QWidget* warningLine, QWidget* textBox) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(warningLine);
    layout->addWidget(textBox, 1);
}

QPlainTextEdit* NewExportTextBox(QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setFont(QFont(QStringLiteral("Courier New"), 10));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setWordWrapMode(QTextOption::NoWrap);
    // A tab character would break the fixed columns the bank reads; Tab moves the focus instead.
    memo->setTabChangesFocus(true);
    return memo;
}

void FitToHints(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        const QSize hint = w->sizeHint();
        w->resize(qMax(w->width(), hint.width()), qMax(w->height(), hint.height()));
    }
}

void CentreOnScreen(QWidget& window) {
    if (QScreen* s = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        window.move(frame.topLeft());
    }
}
