// A timer of a form: runs OnTimer every Interval milliseconds while enabled.
#pragma once

#include <cstdint>
#include <functional>

class TZelForm;

class TZelTimer {
public:
    // Disabled at start.
    TZelTimer(TZelForm& form, uint32_t intervalMs);
    TZelTimer(const TZelTimer&) = delete;
    TZelTimer& operator=(const TZelTimer&) = delete;

    uint32_t Interval() const { return interval_; }
    // A running timer starts counting the new interval afresh.
    void SetInterval(uint32_t intervalMs);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

private:
    friend class TZelForm;
    void Arm();
    void Tick();

    TZelForm& form_;
    uint32_t interval_;
    bool enabled_ = false;
    int id_;
};
