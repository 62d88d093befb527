// Pictures: decoding into shared data, ids, drawing and streaming.
#include "media/Image.h"

#include "core/Owned.h"
#include "objects/ClassIds.h"
#include "persist/Pack.h"

namespace {
// "%X" of an id's first word, as picture and animation ids are built from it.
std::string HexOfFirstWord(const ZarniUUID& id) {
    CString hex;
    hex.Format("%X", id.words[0]);
    return std::string(hex.GetString());
}
}  // namespace

IClone* CImageData::Clone() {
    auto copy = MakeOwned<CImageData>();
    copy->m_id = m_id;
    copy->m_encoded = m_encoded;
    if (m_image)
        copy->m_image.reset(m_image->Duplicate());
    return copy.release();
}

void CImageData::Destroy() {
    delete this;
}

ICompressStoreObj* CImageData::ShallowClone(ICompressStoreObj*) {
    return static_cast<CImageData*>(Clone());
}

void CImageData::ShallowDestroy() {
    Destroy();
}

int CImageData::Load(const std::string& bytes) {
    if (bytes.empty())
        return 0;
    m_encoded.clear();
    m_id = ZarniUUID();
    m_image.reset(XCreateImage());
    if (!m_image || !m_image->Load(bytes.data(), static_cast<DWORD>(bytes.size()), 0)) {
        m_image.reset();
        return 0;
    }
    m_id = UuidFromBytes(bytes.data(), bytes.size());
    return 1;
}

void CImageData::Defer(std::string bytes) {
    m_image.reset();
    m_id = bytes.empty() ? ZarniUUID() : UuidFromBytes(bytes.data(), bytes.size());
    m_encoded = std::move(bytes);
}

IXImage* CImageData::GetImage() const {
    if (!m_encoded.empty()) {
        m_image.reset(XCreateImage());
        if (m_image && !m_image->Load(m_encoded.data(), static_cast<DWORD>(m_encoded.size()), 0))
            m_image.reset();
        std::string().swap(m_encoded);
    }
    return m_image.get();
}

CSize CImageData::GetSize() const {
    IXImage* image = GetImage();
    return image ? CSize(image->GetWidth(), image->GetHeight()) : CSize(0, 0);
}

int DrawPicture(IXCanvas* canvas, IXImage* image, const CRect& source, const CRect& place,
                const CRect& clip, int key) {
    if (canvas == nullptr || image == nullptr)
        return 0;
    const bool unclipped =
        clip.left == -1 && clip.top == -1 && clip.right == -1 && clip.bottom == -1;
    CRect visible = place;
    if (!unclipped && !visible.IntersectRect(place, clip))
        return 1;
    const int sx = source.left + visible.left - place.left;
    const int sy = source.top + visible.top - place.top;
    // The canvas places the picture's whole at its destination's top-left, so the source
    // rectangle's own origin is taken off to land it at place.
    const CRect dest(place.left - source.left, place.top - source.top, place.right, place.bottom);
    if (key == 0)
        canvas->DrawImagePart(image, &dest, sx, sy, visible.Width(), visible.Height());
    else
        canvas->DrawImageBlend(image, &dest, sx, sy, visible.Width(), visible.Height(), key);
    return 1;
}

void StreamOutPicture(CPack& pack, IXImage* image) {
    BYTE* buffer = nullptr;
    DWORD length = 0;
    if (image == nullptr || !image->Encode(XIMAGE_ENCODE_ORIGINAL, &buffer, &length) || !buffer)
        return;
    pack << std::string(reinterpret_cast<const char*>(buffer), length);
    image->FreeBuffer(buffer);
}

namespace zarni {

CImage::CImage(unsigned long mode) : m_mode(mode) {}

CImage::CImage(const CImage& other) : m_mode(kDefaultMode) {
    *this = other;
}

CImage& CImage::operator=(const CImage& other) {
    if (this == &other)
        return *this;
    m_id = other.m_id;
    m_replaceText = other.m_replaceText;
    m_mode = other.m_mode;
    // The data held before is given back first, unless it belongs to someone else.
    ResetData(other.m_data ? static_cast<CImageData*>(other.m_data->Clone()) : nullptr);
    m_shallow = 0;
    return *this;
}

CImage::~CImage() {
    ResetData(nullptr);
}

void CImage::ResetData(CImageData* data) {
    if (m_data && !m_shallow)
        m_data->Destroy();
    m_data = data;
    m_shallow = 0;
}

IClone* CImage::Clone() {
    return MakeOwned<CImage>(*this).release();
}

void CImage::Destroy() {
    delete this;
}

ICompressStoreObj* CImage::ShallowClone(ICompressStoreObj* sub) {
    auto* data = dynamic_cast<CImageData*>(sub);
    if (data == nullptr && sub != nullptr)
        return static_cast<CImage*>(Clone());  // another class's data: keep an own copy
    auto copy = MakeOwned<CImage>(m_mode);
    copy->m_id = m_id;
    copy->m_replaceText = m_replaceText;
    copy->m_data = data;
    copy->m_shallow = 1;
    return copy.release();
}

void CImage::ShallowDestroy() {
    delete this;
}

int CImage::SetImage(const std::string& bytes, const std::string& replaceText) {
    if (bytes.empty())
        return 0;
    ResetData(nullptr);
    auto data = MakeOwned<CImageData>();
    if (!data->Load(bytes))
        return 0;
    m_replaceText = replaceText;
    CString mode;
    mode.Format("%lX", m_mode);
    const std::string key = replaceText + HexOfFirstWord(data->GetID()) + mode.GetString();
    m_id = UuidFromBytes(key.data(), key.size());
    m_data = data.release();
    return 1;
}

CSize CImage::GetSize() {
    return m_data ? m_data->GetSize() : CSize(0, 0);
}

int CImage::Draw(IXCanvas* canvas, const CRect& place, const CRect& clip) {
    IXImage* image = m_data ? m_data->GetImage() : nullptr;
    if (canvas == nullptr || image == nullptr)
        return 0;
    const CSize size = m_data->GetSize();
    const int key = m_mode == 0 ? 0 : static_cast<int>(kDefaultMode);
    return DrawPicture(canvas, image, CRect(0, 0, size.cx, size.cy), place, clip, key);
}

ZarniUUID CImage::GetCLSID() {
    return ImageClassId();
}

void CImage::streamout(CPack& pack) const {
    pack << m_id << m_replaceText << m_mode;
    if (m_data)
        StreamOutPicture(pack, m_data->GetImage());
}

void CImage::streamin(CPack& pack) {
    pack >> m_id >> m_replaceText >> m_mode;
    ResetData(MakeOwned<CImageData>().release());
    std::string bytes;
    pack >> bytes;
    m_data->Defer(std::move(bytes));
}

}  // namespace zarni
