#include "common/DialogHook.h"

#include <QList>
#include <deque>

namespace DialogHook {
namespace {

struct State {
    bool active = false;
    QList<Record> records;
    std::deque<Answer> answers;
    std::deque<std::optional<QDate>> dates;
    std::deque<QString> fileNames;
    int unanswered = 0;
};

State& state() {
    static State s;
    return s;
}

void reset(State& s) {
    s.records.clear();
    s.answers.clear();
    s.dates.clear();
    s.fileNames.clear();
    s.unanswered = 0;
}

} // namespace

void Activate() {
    reset(state());
    state().active = true;
}

void Deactivate() {
    reset(state());
    state().active = false;
}

bool IsActive() {
    return state().active;
}

void PushAnswer(Answer answer) {
    state().answers.push_back(answer);
}
void PushDate(std::optional<QDate> date) {
    state().dates.push_back(date);
}
void PushFileName(const QString& path) {
    state().fileNames.push_back(path);
}

QList<Record> Records() {
    return state().records;
}
void ClearRecords() {
    state().records.clear();
}
int UnansweredCount() {
    return state().unanswered;
}

void Record_(const QString& kind, const QString& caption, const QString& text) {
    state().records.append(Record{kind, caption, text});
}

std::optional<Answer> TakeAnswer() {
    State& s = state();
    if (s.answers.empty()) {
        ++s.unanswered;
        return std::nullopt;
    }
    const Answer a = s.answers.front();
    s.answers.pop_front();
    return a;
}

std::optional<std::optional<QDate>> TakeDate() {
    State& s = state();
    if (s.dates.empty())
        return std::nullopt;
    const std::optional<QDate> d = s.dates.front();
    s.dates.pop_front();
    return d;
}

std::optional<QString> TakeFileName() {
    State& s = state();
    if (s.fileNames.empty())
        return std::nullopt;
    QString name = s.fileNames.front();
    s.fileNames.pop_front();
    return name;
}

} // namespace DialogHook
