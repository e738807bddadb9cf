#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/Dialogs.h"
#include "common/SeamGuard.h"

// Lets tests answer the shared dialogs by script. While active, no box is shown: each call is
// recorded and takes the next scripted answer.
namespace DialogHook {

struct Record {
    // "plain", "info", "question", "warning", "error", "about", "date", "text", "shell", "save", "open",
    // "input"
    QString kind;
    QString caption; // as the user would see it
    QString text;    // for "shell" the address that would open, as ShellUrl builds it
    QString value;   // the text the input box starts with
};

// Start scripting, or back to real dialogs; either clears records and answers. The guard returns
// to the state before the call, cleared as well.
SeamGuard Activate();
SeamGuard Deactivate();
bool IsActive();

void PushAnswer(Answer answer);             // for QuestionBox
void PushDate(std::optional<QDate> date);   // for PickDate: nullopt = cancel
void PushFileName(const QString& path);     // for GetFileName and its wrappers: empty = cancel
void PushText(std::optional<QString> text); // for GetText: nullopt = cancel

QList<Record> Records();
void ClearRecords();
// Questions, dates, file names and texts asked for with no answer queued (a question is answered
// No, the others are cancelled); a test should see none.
int UnansweredCount();

// Used by Dialogs.cpp.
void Record_(const QString& kind, const QString& caption, const QString& text, const QString& value = {});
std::optional<Answer> TakeAnswer();
std::optional<std::optional<QDate>> TakeDate();
std::optional<QString> TakeFileName();
std::optional<QString> TakeText(); // nullopt: cancelled, or nothing queued

} // namespace DialogHook
