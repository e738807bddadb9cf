#include "common/Dialogs.h"

#include "common/AboutBox.h"
#include "common/Clock.h"
#include "common/CzechFormat.h"
#include "common/DatePicker.h"
#include "common/DialogHook.h"
#include "common/TextWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>
#include <algorithm>

namespace {

QPointer<QWidget>& parentSlot() {
    static QPointer<QWidget> parent;
    return parent;
}

// Callers write "\r\n" as the original texts do; the box wants plain line feeds.
QString BoxText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// A box only as wide as a short text leaves the window manager no room for the caption beside the
// title bar's icon and buttons, and it shows "…". The box sizes itself from its layout, so the
// width goes to its button row.
void RoomForCaption(QMessageBox& box) {
    constexpr int kMinimumWidth = 250;
    constexpr int kTitleBarButtons = 160;
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int captionWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    if (auto* buttons = box.findChild<QDialogButtonBox*>())
        buttons->setMinimumWidth(std::max(kMinimumWidth, captionWidth));
}

void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, BoxText(text), QMessageBox::Ok, DialogParent());
    box.setTextFormat(Qt::PlainText); // a file name with "<" must not turn into markup
    RoomForCaption(box);
    box.exec();
}

// The About box and the text viewer stand in the middle of the screen, not over the main window.
void CentreOnScreen(QWidget& window) {
    const QWidget* parent = DialogParent();
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

// The translator gives Czech captions; without it the buttons would say Yes and No.
void CzechButtonText(QMessageBox& box, QMessageBox::StandardButton which, const char* english, const char* czech) {
    if (QCoreApplication::translate("QPlatformTheme", english) == QLatin1String(english))
        if (QAbstractButton* b = box.button(which))
            b->setText(QString::fromUtf8(czech));
}

// Qt's file list writes sizes and dates with the system's locale, which may be English; these
// two columns are rewritten in Czech.
class CzechFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 3)
            return CzechFormat::Locale().toString(files->lastModified(source), QLocale::ShortFormat);
        return files->isDir(source) ? QString() : CzechFormat::Locale().formattedDataSize(files->size(source));
    }
};

} // namespace

QString AppTitle() {
    const QString name = qApp ? QApplication::applicationDisplayName() : QString();
    return name.isEmpty() ? QStringLiteral("Velorin") : name;
}

void PlainMessage(const QString& text) {
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("plain"), AppTitle(), text);
        return;
    }
    ShowBox(QMessageBox::NoIcon, AppTitle(), text);
}

void InfoBox(const QString& text) {
    InfoBoxCaption(AppTitle(), text);
}

void InfoBoxCaption(const QString& caption, const QString& text) {
    const QString shown = caption.isEmpty() ? AppTitle() : caption;
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("info"), shown, text);
        return;
    }
    ShowBox(QMessageBox::Information, shown, text);
}

Answer QuestionBox(const QString& caption, const QString& text, QuestionKind kind) {
    const QString shown = caption.isEmpty() ? AppTitle() : caption;
    if (DialogHook::IsActive()) {
        DialogHook::Record_(kind == QuestionKind::Warning ? QStringLiteral("warning") : QStringLiteral("question"),
                            shown, text);
        return DialogHook::TakeAnswer().value_or(Answer::No);
    }
    QMessageBox box(kind == QuestionKind::Warning ? QMessageBox::Warning : QMessageBox::Question, shown, BoxText(text),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    CzechButtonText(box, QMessageBox::Yes, "&Yes", "&Ano");
    CzechButtonText(box, QMessageBox::No, "&No", "&Ne");
    RoomForCaption(box);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString WithFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ErrorBox(const QString& message) {
    const QString text = WithFullStop(message);
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("error"), AppTitle(), text);
        return;
    }
    ShowBox(QMessageBox::Critical, AppTitle(), text);
}

void MakeFixedWhiteDialog(QDialog* dialog, int width, int height) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setFixedSize(width, height);
    QPalette pal = dialog->palette();
    pal.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);
}

void ShowAboutBox(const QString& versionText, const QString& buildDate, const QString& dataFolder) {
    if (DialogHook::IsActive()) {
        QString text = versionText + QStringLiteral("     ") + buildDate;
        if (!dataFolder.isEmpty())
            text += QLatin1Char('\n') + dataFolder;
        DialogHook::Record_(QStringLiteral("about"), QStringLiteral("O programu ") + AppTitle(), text);
        return;
    }
    AboutBox box(versionText, buildDate, dataFolder, DialogParent());
    CentreOnScreen(box);
    box.exec();
}

namespace {

// proposed: date is a proposal, so that confirming it as it stands is a choice too.
bool PickDateAs(QDate& date, bool proposed) {
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("date"), QString(), CzechFormat::FormatDate(date));
        const std::optional<std::optional<QDate>> scripted = DialogHook::TakeDate();
        if (!scripted || !*scripted || (!proposed && **scripted == date))
            return false;
        date = **scripted;
        return true;
    }
    DatePickerDialog dialog(date, DialogParent());
    if (proposed)
        dialog.acceptProposed();
    dialog.exec();
    if (!dialog.changed())
        return false;
    date = dialog.selectedDate();
    return true;
}

} // namespace

bool PickDate(QDate& date) {
    return PickDateAs(date, false);
}

bool PickProposedDate(QDate& date) {
    return PickDateAs(date, true);
}

void ShowTextWindow(const QString& caption, const QString& text) {
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("text"), caption, text);
        return;
    }
    TextWindow window(caption, text, DialogParent());
    CentreOnScreen(window);
    window.exec();
}

QUrl ShellUrl(const QString& address) {
    // Never looked up on disk: a folder "http:" in the working folder would turn the address into a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(address).hasMatch())
        return QUrl(address, QUrl::StrictMode);
    return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
}

void ShellOpen(const QString& address) {
    const QUrl url = ShellUrl(address);
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("shell"), QString(), url.toString());
        return;
    }
    QDesktopServices::openUrl(url); // whether a browser came up is not reported
}

QString GetFileName(const FileDialogRequest& request) {
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    if (DialogHook::IsActive()) {
        DialogHook::Record_(save ? QStringLiteral("save") : QStringLiteral("open"), request.caption, request.start);
        return DialogHook::TakeFileName().value_or(QString());
    }
    QFileDialog dialog(request.parent ? request.parent : DialogParent(), request.caption, request.start,
                       request.filter);
    dialog.setProxyModel(new CzechFileList(&dialog));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        // Qt's own question is as narrow as its text, and the window manager cuts its caption.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString path = dialog.selectedFiles().constFirst();
        if (!save || !request.askBeforeReplacing || !QFileInfo::exists(path))
            return path;
        const QString question =
            QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
        if (QuestionBox(request.caption, question, QuestionKind::Warning) == Answer::Yes)
            return path;
    }
}

QString GetSaveFileName(const QString& caption, const QString& proposedPath, const QString& filter,
                        const QString& defaultSuffix) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.caption = caption;
    request.start = proposedPath;
    request.filter = filter;
    request.defaultSuffix = defaultSuffix;
    return GetFileName(request);
}

QString GetOpenFileName(const QString& caption, const QString& folder, const QString& filter) {
    FileDialogRequest request;
    request.caption = caption;
    request.start = folder;
    request.filter = filter;
    return GetFileName(request);
}

QStringList GetOpenFileNames(const QString& caption, const QString& folder, const QString& filter) {
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("open"), caption, folder);
        return DialogHook::TakeFileName().value_or(QString()).split(u'\n', Qt::SkipEmptyParts);
    }
    QFileDialog dialog(DialogParent(), caption, folder, filter);
    dialog.setProxyModel(new CzechFileList(&dialog));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> GetText(const QString& caption, const QString& label, const QString& start, QWidget* parent) {
    if (DialogHook::IsActive()) {
        DialogHook::Record_(QStringLiteral("input"), caption, label, start);
        return DialogHook::TakeText();
    }
    QInputDialog dialog(parent ? parent : DialogParent());
    dialog.setWindowTitle(caption);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(label);
    dialog.setTextValue(start);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString ProgramVersionText() {
#if defined(VELORIN_VERSION_MAJOR) && defined(VELORIN_VERSION_MINOR)
    return QString::asprintf("%d.%d", VELORIN_VERSION_MAJOR, VELORIN_VERSION_MINOR);
#else
    return QString();
#endif
}

int CurrentYear() {
    return Clock::Today().year();
}

void SetDialogParent(QWidget* parent) {
    parentSlot() = parent;
}
QWidget* DialogParent() {
    return parentSlot().data();
}
