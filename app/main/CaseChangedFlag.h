#pragma once

#include <functional>

// CaseChanged of the main-window state. It reads and assigns like a bool;
// every assignment of true is a change of the case and is passed on to the
// listener (the autosave), except while a Refill is under way.
class CaseChangedFlag final {
public:
    CaseChangedFlag &operator=(bool changed);
    operator bool() const { return m_changed; }

    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }
    // Sets the flag without passing anything on: the case is as it was.
    void restore(bool changed) { m_changed = changed; }

    // While the program fills controls from the store, their change signals
    // mark nothing; the flag is put back as it was when the refill ends.
    class Refill final {
    public:
        explicit Refill(CaseChangedFlag &flag);
        ~Refill();
        Refill(const Refill &) = delete;
        Refill &operator=(const Refill &) = delete;

    private:
        CaseChangedFlag &m_flag;
        bool m_was;
    };

private:
    bool m_changed = false;
    int m_refills = 0;
    std::function<void()> m_listener;
};
