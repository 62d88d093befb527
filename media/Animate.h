// CAnimateFrames, CAnimateData and zarni::CAnimate: animated pictures driven by the shared timer.
#pragma once

#include <string>
#include <vector>

#include "core/ZarniArray.h"
#include "media/Image.h"
#include "objects/Animate.h"
#include "objects/TimerSenseObj.h"

// The frames of an animation: a picture of several frames with its own delays, or a single
// picture cut into equal horizontal frames shown for the host's delays. Its id is the
// digest of the encoded bytes followed by the delays in decimal.
class CAnimateFrames : public ICompressStoreObj {
public:
    // Frame delay answered when there is no picture: never advance.
    static constexpr unsigned int kNoDelay = 0xFFFFFFFFu;

    CAnimateFrames() = default;
    IClone* Clone() override;
    void Destroy() override;
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;
    virtual ~CAnimateFrames() = default;

    // 1 when the bytes decode; 0 for empty bytes (nothing changes) or undecodable ones (the
    // id becomes null and there is no picture; the delays are kept).
    int Load(const std::string& bytes, const CZarniArray<unsigned int>& delays);
    bool HasPicture() const { return m_image != nullptr; }
    // Whether the picture brings its own frames (2 or more).
    bool IsMultiFrame() const;
    unsigned int GetFrameCount() const;
    CSize GetFrameSize() const;
    // Selects frame i of a several-frame picture and gives the rectangle of the picture that
    // shows frame i; false without a picture.
    bool SelectFrame(unsigned int i, CRect& source) const;
    // Milliseconds frame i is shown; 0 past the frames, kNoDelay without a picture.
    unsigned int GetFrameDelay(unsigned int i) const;
    IXImage* GetImage() const { return m_image.get(); }

    void StreamOut(CPack& pack) const;
    // Reads the bytes, the delay count and the delays, and loads them.
    void StreamIn(CPack& pack);

private:
    ZarniUUID m_id;
    XImagePtr m_image;
    CZarniArray<unsigned int> m_delays;  // milliseconds per frame of a strip
    // Milliseconds per frame of a several-frame picture, read once when loading.
    std::vector<unsigned int> m_pictureDelays;
};

// The shared part of an animation: replacement text and frames. Its id is the digest of
// the text followed by "%X" of the frames' first id word.
class CAnimateData : public ICompressStoreObj, public ITextReplaceable {
public:
    CAnimateData() = default;
    IClone* Clone() override;
    void Destroy() override;
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return m_frames; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;
    virtual ~CAnimateData();
    CString GetReplaceText() override { return CString(m_replaceText.c_str()); }

    // Keeps a clone of frames and the text, and makes the id.
    void Init(CAnimateFrames& frames, const std::string& replaceText);
    CAnimateFrames* GetFrames() const { return m_frames; }

    void StreamOut(CPack& pack) const;
    void StreamIn(CPack& pack);

private:
    void ResetFrames(CAnimateFrames* frames);

    ZarniUUID m_id;
    std::string m_replaceText;
    CAnimateFrames* m_frames = nullptr;  // owned unless m_shallow
    int m_shallow = 0;
};

namespace zarni {

// An animated picture. Registered with the shared timer for its whole life; every pulse
// adds the tick to the time spent on the current frame and moves on once the frame's
// delay is reached, telling the painter.
class CAnimate : public IAnimate, public ITimerSenseObj {
public:
    // A non-zero transparent colour is left out when drawing; 0 draws opaquely.
    explicit CAnimate(unsigned long transparentColor = kDefaultTransparent);
    CAnimate& operator=(const CAnimate& other);

    IClone* Clone() override;
    void Destroy() override;
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return m_data; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;
    int SetAnimate(const std::string& bytes, CZarniArray<unsigned int> delays,
                   const std::string& replaceText) override;
    unsigned int GetCurFrame() override { return m_curFrame; }
    void SetPainter(IAnimatePainterListener* painter) override { m_painter = painter; }
    virtual ~CAnimate();

    CSize GetSize() override;
    int Draw(IXCanvas* canvas, const CRect& place, const CRect& clip) override;
    void UnVisible() override {}
    void OutOfView() override {}
    void InView(const CRect&) override {}
    CString GetReplaceText() override;
    ZarniUUID GetCLSID() override;
    void streamout(CPack& pack) const override;
    void streamin(CPack& pack) override;
    void TimeArrive(unsigned int tick) override;

    void SetTrancsColor(const unsigned long& color) { m_transparent = color; }
    IAnimatePainterListener* GetPainter() const { return m_painter; }

    // Every animation whose painter is painter forgets it (its editor is going away).
    static void ForgetPainter(IAnimatePainterListener* painter);

    static constexpr unsigned long kDefaultTransparent = 255;
    static const char* const kIdPrefix;

private:
    CAnimate(const CAnimate&);  // never called: copies go through Clone
    void ResetData(CAnimateData* data);
    void CopyState(const CAnimate& other);

    CAnimateData* m_data = nullptr;  // owned unless m_shallow
    unsigned int m_curFrame = 0;
    unsigned int m_elapsed = 0;                    // milliseconds spent on the current frame
    IAnimatePainterListener* m_painter = nullptr;  // not owned
    ZarniUUID m_id;
    int m_shallow = 0;
    unsigned long m_transparent;
};

}  // namespace zarni
