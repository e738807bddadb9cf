#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <source_location>

// Acts on the next modal widget once it is shown: create it before the code that opens the widget.
// Fails the test, at the line that created it, when no modal widget appeared within the time.
class ModalAction {
public:
    explicit ModalAction(std::function<void(QWidget*)> action, int timeoutMs = 5000,
                         std::source_location where = std::source_location::current());
    ~ModalAction();
    ModalAction(const ModalAction&) = delete;
    ModalAction& operator=(const ModalAction&) = delete;

    bool happened() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
    std::source_location m_where;
};

// For code that must open no modal widget: closes any that appears while it lives and fails the
// test, at the line that created it.
class NoModalWindow {
public:
    explicit NoModalWindow(std::source_location where = std::source_location::current());
    ~NoModalWindow();
    NoModalWindow(const NoModalWindow&) = delete;
    NoModalWindow& operator=(const NoModalWindow&) = delete;

    bool appeared() const;

private:
    std::shared_ptr<ModalAction::State> m_state;
    std::source_location m_where;
};
