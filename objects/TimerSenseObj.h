// ITimerSenseObj: a listener of the shared timer's pulse.
#pragma once

class ITimerSenseObj {
public:
    // Called on every pulse with the timer's tick.
    virtual void TimeArrive(unsigned int tick) = 0;

protected:
    virtual ~ITimerSenseObj() = default;
};
