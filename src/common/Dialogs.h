#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QDialog;
class QWidget;

// The small dialogs the windows share. All of them are modal and go through DialogHook, so that
// tests answer them by script.

enum class QuestionKind { Question, Warning };
enum class Answer { Yes, No };

// The application title: the caption of information and question boxes.
QString AppTitle();

// A message window without icon, captioned with the application title, one OK button.
void PlainMessage(const QString& text);
// Information icon, OK, captioned with the application title.
void InfoBox(const QString& text);
void InfoBoxCaption(const QString& caption, const QString& text);
// Yes and No, No the default; an empty caption gives the application title.
Answer QuestionBox(const QString& caption, const QString& text, QuestionKind kind);
// The error box of the top-level handler: error icon, application title, OK. Adds the full stop.
void ErrorBox(const QString& message);
// message with a full stop added when its last character sorts after ".".
QString WithFullStop(const QString& message);

// dataFolder: the folder in use for settings and orders, shown in the box when given.
// The small boxes built control by control: a fixed size, a white face, no resize or maximise.
void MakeFixedWhiteDialog(QDialog* dialog, int width, int height);
void ShowAboutBox(const QString& versionText, const QString& buildDate, const QString& dataFolder = {});
// True when the user confirmed a date that differs from date, which then takes it.
bool PickDate(QDate& date);
// The same for a date the program proposes: "Ok" takes the proposed day too. True when the user
// confirmed a day, which date then takes. Tests answer it as PickDate, with any date.
bool PickProposedDate(QDate& date);
void ShowTextWindow(const QString& caption, const QString& text);
// Opens a web address or a document through the desktop; failures are not reported.
void ShellOpen(const QString& address);
// What ShellOpen opens: a text that starts with a scheme as that address, read strictly, anything
// else as a local file. Decided by the text alone, never by what lies in the working folder.
QUrl ShellUrl(const QString& address);
// What the file dialog asks for. Its file list shows sizes and dates in Czech, whatever the
// system's locale.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString caption;
    QString start; // the folder to open in, or the proposed file when saving
    QString filter;
    QString defaultSuffix;          // saving only
    bool askBeforeReplacing = true; // saving only
    QWidget* parent = nullptr;      // DialogParent() when none
};
// A file name from the open or save dialog; an empty text when cancelled. Tests answer it with
// DialogHook::PushFileName; it is recorded as "open" or "save" with start as its text.
QString GetFileName(const FileDialogRequest& request);
// The save dialog, asking before it replaces a file.
QString GetSaveFileName(const QString& caption, const QString& proposedPath, const QString& filter,
                        const QString& defaultSuffix);
// An existing file's name from the open dialog.
QString GetOpenFileName(const QString& caption, const QString& folder, const QString& filter);
// One or more existing files; empty when cancelled. Under the test hook one answer holds the
// names separated by line breaks.
QStringList GetOpenFileNames(const QString& caption, const QString& folder, const QString& filter);

// The one-line input box: the text confirmed, nullopt when cancelled. Tests answer it with
// DialogHook::PushText; it is recorded as "input" with label as its text and start as its value.
std::optional<QString> GetText(const QString& caption, const QString& label, const QString& start,
                               QWidget* parent = nullptr);
// "major.minor" of the program's version.
QString ProgramVersionText();
int CurrentYear();

// The widget dialogs are centred on and owned by; the main window sets itself.
void SetDialogParent(QWidget* parent);
QWidget* DialogParent();
