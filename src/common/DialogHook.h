#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/Dialogs.h"

// Lets tests answer the shared dialogs by script. While active, no box is shown: each call is
// recorded and takes the next scripted answer.
namespace DialogHook {

struct Record {
    QString kind; // "plain", "info", "question", "warning", "error", "about", "date", "text", "shell", "save", "open"
    QString caption; // as the user would see it
    QString text;    // for "shell" the address that would open, as ShellUrl builds it
};

void Activate();   // start scripting; clears records and answers
void Deactivate(); // back to real dialogs
bool IsActive();

void PushAnswer(Answer answer);           // for QuestionBox
void PushDate(std::optional<QDate> date); // for PickDate: nullopt = cancel
void PushFileName(const QString& path);   // for GetSaveFileName and GetOpenFileName: empty = cancel

QList<Record> Records();
void ClearRecords();
// Questions asked with no answer queued (answered No); a test should see none.
int UnansweredCount();

// Used by Dialogs.cpp.
void Record_(const QString& kind, const QString& caption, const QString& text);
std::optional<Answer> TakeAnswer();
std::optional<std::optional<QDate>> TakeDate();
std::optional<QString> TakeFileName();

} // namespace DialogHook
