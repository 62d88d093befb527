// IAnimatePainterListener: told whenever an animation shows another frame.
#pragma once

class IAnimate;

class IAnimatePainterListener {
public:
    virtual void OnFrameChanged(IAnimate* animation) = 0;

protected:
    ~IAnimatePainterListener() = default;
};
