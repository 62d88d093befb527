// CImageData and zarni::CImage: a still picture in the document and its shared decoded data.
#pragma once

#include <memory>
#include <string>

#include "objects/ExternalObj.h"
#include "platform/graphics/Morla.h"

using XImagePtr = std::unique_ptr<IXImage, XReleaser>;

// The decoded picture shared by every placement of the same picture; its id is the digest
// of the encoded bytes it was loaded from (null while empty).
class CImageData : public ICompressStoreObj {
public:
    CImageData() = default;
    IClone* Clone() override;
    void Destroy() override;
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;
    virtual ~CImageData() = default;

    // Decodes the bytes: 1 on success; 0 for empty bytes (nothing changes) or bytes that do
    // not decode (the data is then empty).
    int Load(const std::string& bytes);
    // Takes encoded bytes without decoding them: the id is their digest, and they are decoded
    // when the picture is first asked for. A loaded copy of a picture the store already holds
    // is then dropped without ever being decoded. Bytes that do not decode give no picture.
    void Defer(std::string bytes);
    CSize GetSize() const;
    IXImage* GetImage() const;

private:
    ZarniUUID m_id;
    mutable XImagePtr m_image;      // null while empty or not yet decoded
    mutable std::string m_encoded;  // bytes still to decode
};

// Draws part of a picture for an object placed at place, following the visibility rule of
// IVisible::Draw: source is the rectangle of the picture that stands at place (a frame of a
// strip, or the whole picture); key 0 draws opaquely, any other key through the keyed
// blending. Answers 0 without canvas or picture, else 1 (also when nothing is visible).
int DrawPicture(IXCanvas* canvas, IXImage* image, const CRect& source, const CRect& place,
                const CRect& clip, int key);

// Appends the picture's encoded bytes (the bytes it was decoded from) to the pack; writes
// nothing without a picture or when encoding fails.
class CPack;
void StreamOutPicture(CPack& pack, IXImage* image);

namespace zarni {

// A picture object: small (id, replacement text, drawing mode) with its decoded data as a
// sub-object, which the object store shares between placements. A shallow clone does not own
// its data. It has the four object interfaces in their usual order through
// IVisibleComplexObj, so a host inserts it like any visible object of its own.
class CImage : public IVisibleComplexObj {
public:
    // Drawing mode 0 draws the picture opaquely, any other value blends it by its alpha.
    explicit CImage(unsigned long mode = kDefaultMode);
    CImage(const CImage& other);
    CImage& operator=(const CImage& other);

    IClone* Clone() override;
    void Destroy() override;
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return m_data; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;
    // Decodes the bytes and takes the replacement text: 1 on success; 0 for empty bytes
    // (nothing changes) or bytes that do not decode (the picture is then empty, text and id
    // keep their values).
    virtual int SetImage(const std::string& bytes, const std::string& replaceText);
    virtual ~CImage();

    CSize GetSize() override;
    int Draw(IXCanvas* canvas, const CRect& place, const CRect& clip) override;
    void UnVisible() override {}
    void OutOfView() override {}
    void InView(const CRect&) override {}
    CString GetReplaceText() override { return CString(m_replaceText.c_str()); }
    ZarniUUID GetCLSID() override;
    void streamout(CPack& pack) const override;
    void streamin(CPack& pack) override;

    static constexpr unsigned long kDefaultMode = 255;
    unsigned long GetMode() const { return m_mode; }
    bool IsShallow() const { return m_shallow != 0; }

private:
    void ResetData(CImageData* data);

    std::string m_replaceText;
    ZarniUUID m_id;                // null until a picture is set or read
    CImageData* m_data = nullptr;  // owned unless m_shallow
    int m_shallow = 0;
    unsigned long m_mode;
};

}  // namespace zarni
