#include "common/DialogHook.h"

#include <QList>
#include <deque>
#include <utility>

namespace DialogHook {
namespace {

struct State {
    bool active = false;
    QList<Record> records;
    std::deque<Answer> answers;
    std::deque<std::optional<QDate>> dates;
    std::deque<QString> fileNames;
    // Not optional<QString>: copying one trips GCC's check for uninitialised use.
    struct Text {
        QString text;
        bool cancel = false;
    };
    std::deque<Text> texts;
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
    s.texts.clear();
    s.unanswered = 0;
}

} // namespace

namespace {

SeamGuard SetActive(bool active) {
    SeamGuard guard([before = state().active] {
        reset(state());
        state().active = before;
    });
    reset(state());
    state().active = active;
    return guard;
}

} // namespace

SeamGuard Activate() {
    return SetActive(true);
}

SeamGuard Deactivate() {
    return SetActive(false);
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
void PushText(std::optional<QString> text) {
    state().texts.push_back({text.value_or(QString()), !text});
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

void Record_(const QString& kind, const QString& caption, const QString& text, const QString& value) {
    state().records.append(Record{kind, caption, text, value});
}

namespace {

// The next scripted answer of one kind; nothing queued counts as unanswered.
template <class T> std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty()) {
        ++state().unanswered;
        return std::nullopt;
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

std::optional<Answer> TakeAnswer() {
    return Take(state().answers);
}
std::optional<std::optional<QDate>> TakeDate() {
    return Take(state().dates);
}
std::optional<QString> TakeFileName() {
    return Take(state().fileNames);
}
std::optional<QString> TakeText() {
    State& s = state();
    if (s.texts.empty()) {
        ++s.unanswered;
        return std::nullopt;
    }
    const State::Text scripted = s.texts.front();
    s.texts.pop_front();
    if (scripted.cancel)
        return std::nullopt;
    return scripted.text;
}

} // namespace DialogHook
