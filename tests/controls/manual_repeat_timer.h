#pragma once

#include "controls/edit_button.h"

// A repeat timer driven by the test's own clock.
class ManualTimer : public TRepeatTimer {
public:
    explicit ManualTimer(int &now) : m_now(now) {}
    void start(int milliseconds) override
    {
        m_interval = milliseconds;
        m_active = true;
        m_due = m_now + milliseconds;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }

    // Fires every tick that falls due up to time t.
    void advanceTo(int t)
    {
        while (m_active && m_due <= t) {
            m_now = m_due;
            m_due += m_interval;
            timeout();
        }
        m_now = t;
    }

private:
    int &m_now;
    int m_interval = 0;
    bool m_active = false;
    int m_due = 0;
};
