// IAnimate: an animated picture held in the document like any other object.
#pragma once

#include <string>

#include "core/ZarniArray.h"
#include "objects/CompressStoreObj.h"
#include "objects/Serialize.h"
#include "objects/TextReplaceable.h"
#include "objects/Visible.h"

class IAnimatePainterListener;

// The four object interfaces in the usual base order; the animation's own operations take
// the slots after the ICompressStoreObj ones.
class IAnimate : public ICompressStoreObj,
                 public IVisible,
                 public ITextReplaceable,
                 public ISerialize {
public:
    // Frames from encoded picture bytes: a picture of several frames brings its own delays;
    // a single picture is a horizontal strip of delays.GetSize() equal frames. 0 for empty
    // or undecodable bytes (the animation is then empty).
    virtual int SetAnimate(const std::string& bytes, CZarniArray<unsigned int> delays,
                           const std::string& replaceText) = 0;
    virtual unsigned int GetCurFrame() = 0;
    // Told of every frame change; not owned, may be null.
    virtual void SetPainter(IAnimatePainterListener* painter) = 0;

protected:
    ~IAnimate() override = default;
};
