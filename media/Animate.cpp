// Animated pictures: frames of a several-frame picture or of a strip, timing and drawing.
#include "media/Animate.h"

#include "core/Owned.h"
#include "media/Timer.h"
#include "objects/AnimatePainterListener.h"
#include "objects/ClassIds.h"
#include "objects/UidMaker.h"
#include "persist/Pack.h"

namespace {
constexpr unsigned int kCentisecondMs = 10;  // picture delays come in hundredths of a second

std::string HexOfFirstWord(const ZarniUUID& id) {
    CString hex;
    hex.Format("%X", id.words[0]);
    return std::string(hex.GetString());
}
}  // namespace

// ---- CAnimateFrames ----

IClone* CAnimateFrames::Clone() {
    auto copy = MakeOwned<CAnimateFrames>();
    copy->m_id = m_id;
    copy->m_delays = m_delays;
    copy->m_pictureDelays = m_pictureDelays;
    if (m_image)
        copy->m_image.reset(m_image->Duplicate());
    return copy.release();
}

void CAnimateFrames::Destroy() {
    delete this;
}

ICompressStoreObj* CAnimateFrames::ShallowClone(ICompressStoreObj*) {
    return static_cast<CAnimateFrames*>(Clone());
}

void CAnimateFrames::ShallowDestroy() {
    Destroy();
}

int CAnimateFrames::Load(const std::string& bytes, const CZarniArray<unsigned int>& delays) {
    if (bytes.empty())
        return 0;
    m_delays = delays;
    std::string key = bytes;
    for (uint32_t i = 0; i < delays.GetSize(); ++i)
        key += std::to_string(static_cast<int>(delays[i]));
    m_id = UuidFromBytes(key.data(), key.size());
    m_image.reset(XCreateImage());
    if (!m_image || !m_image->Load(bytes.data(), static_cast<DWORD>(bytes.size()), 0)) {
        m_id = ZarniUUID();
        m_image.reset();
        m_pictureDelays.clear();
        return 0;
    }
    m_pictureDelays.clear();
    if (IsMultiFrame()) {
        for (int hundredths : m_image->GetFrameDelays())
            m_pictureDelays.push_back(
                hundredths > 0 ? static_cast<unsigned int>(hundredths) * kCentisecondMs : 0);
    }
    return 1;
}

bool CAnimateFrames::IsMultiFrame() const {
    return m_image && m_image->GetFrameCount() >= 2;
}

unsigned int CAnimateFrames::GetFrameCount() const {
    if (IsMultiFrame())
        return static_cast<unsigned int>(m_image->GetFrameCount());
    return m_delays.GetSize();
}

CSize CAnimateFrames::GetFrameSize() const {
    if (!m_image)
        return CSize(0, 0);
    const int width = m_image->GetWidth(), height = m_image->GetHeight();
    if (IsMultiFrame() || m_delays.GetSize() == 0)
        return CSize(width, height);
    return CSize(width / static_cast<int>(m_delays.GetSize()), height);
}

bool CAnimateFrames::SelectFrame(unsigned int i, CRect& source) const {
    if (!m_image)
        return false;
    const CSize size = GetFrameSize();
    if (IsMultiFrame()) {
        m_image->SelectFrame(static_cast<int>(i));
        source = CRect(0, 0, size.cx, size.cy);
    } else {
        const int64_t left = int64_t(i) * size.cx;
        if (left > INT32_MAX - size.cx)
            return false;
        source = CRect(static_cast<int>(left), 0, static_cast<int>(left) + size.cx, size.cy);
    }
    return true;
}

unsigned int CAnimateFrames::GetFrameDelay(unsigned int i) const {
    if (!m_image)
        return kNoDelay;
    if (IsMultiFrame())
        return i < m_pictureDelays.size() ? m_pictureDelays[i] : 0;
    return i < m_delays.GetSize() ? m_delays[i] : 0;
}

void CAnimateFrames::StreamOut(CPack& pack) const {
    if (!m_image)
        return;
    StreamOutPicture(pack, m_image.get());
    pack << m_delays.GetSize();
    for (uint32_t i = 0; i < m_delays.GetSize(); ++i)
        pack << m_delays[i];
}

void CAnimateFrames::StreamIn(CPack& pack) {
    std::string bytes;
    unsigned int count = 0;
    pack >> bytes >> count;
    CZarniArray<unsigned int> delays;
    // Each delay takes at least one byte, so a count beyond what remains is cut short.
    for (unsigned int i = 0; i < count && pack.Remaining() > 0; ++i) {
        unsigned int delay = 0;
        const uint32_t before = pack.Remaining();
        pack >> delay;
        if (pack.Remaining() == before)
            break;
        delays.Add(delay);
    }
    Load(bytes, delays);
}

// ---- CAnimateData ----

CAnimateData::~CAnimateData() {
    ResetFrames(nullptr);
}

void CAnimateData::ResetFrames(CAnimateFrames* frames) {
    if (m_frames && !m_shallow)
        m_frames->Destroy();
    m_frames = frames;
    m_shallow = 0;
}

IClone* CAnimateData::Clone() {
    auto copy = MakeOwned<CAnimateData>();
    copy->m_id = m_id;
    copy->m_replaceText = m_replaceText;
    if (m_frames)
        copy->m_frames = static_cast<CAnimateFrames*>(m_frames->Clone());
    return copy.release();
}

void CAnimateData::Destroy() {
    delete this;
}

ICompressStoreObj* CAnimateData::ShallowClone(ICompressStoreObj* sub) {
    auto* frames = dynamic_cast<CAnimateFrames*>(sub);
    if (frames == nullptr && sub != nullptr)
        return static_cast<CAnimateData*>(Clone());
    auto copy = MakeOwned<CAnimateData>();
    copy->m_id = m_id;
    copy->m_replaceText = m_replaceText;
    copy->m_frames = frames;
    copy->m_shallow = 1;
    return copy.release();
}

void CAnimateData::ShallowDestroy() {
    delete this;
}

void CAnimateData::Init(CAnimateFrames& frames, const std::string& replaceText) {
    ResetFrames(static_cast<CAnimateFrames*>(frames.Clone()));
    m_replaceText = replaceText;
    const std::string key = replaceText + HexOfFirstWord(frames.GetID());
    m_id = UuidFromBytes(key.data(), key.size());
}

void CAnimateData::StreamOut(CPack& pack) const {
    pack << m_id << m_replaceText;
    if (m_frames)
        m_frames->StreamOut(pack);
}

void CAnimateData::StreamIn(CPack& pack) {
    pack >> m_id >> m_replaceText;
    ResetFrames(MakeOwned<CAnimateFrames>().release());
    m_frames->StreamIn(pack);
}

// ---- CAnimate ----

namespace zarni {

const char* const CAnimate::kIdPrefix = "zarni_animte_v1.0_header_";

CAnimate::CAnimate(unsigned long transparentColor) : m_transparent(transparentColor) {
    m_id = CUidMaker::Instance().MakeUid(kIdPrefix);
    CTimer::Instance()->RegisterListener(this);
}

void CAnimate::ForgetPainter(IAnimatePainterListener* painter) {
    if (CTimer::instance_ == nullptr || painter == nullptr)
        return;
    CTimer::instance_->ForEachListener([painter](ITimerSenseObj* listener) {
        auto* animation = dynamic_cast<CAnimate*>(listener);
        if (animation && animation->m_painter == painter)
            animation->m_painter = nullptr;
    });
}

CAnimate::~CAnimate() {
    // The timer deletes itself once its last listener leaves.
    if (CTimer::instance_)
        CTimer::instance_->UnRegisterListener(this);
    ResetData(nullptr);
}

void CAnimate::ResetData(CAnimateData* data) {
    if (m_data && !m_shallow)
        m_data->Destroy();
    m_data = data;
    m_shallow = 0;
}

void CAnimate::CopyState(const CAnimate& other) {
    m_id = other.m_id;
    m_curFrame = other.m_curFrame;
    m_elapsed = other.m_elapsed;
    m_painter = other.m_painter;
    m_transparent = other.m_transparent;
}

CAnimate& CAnimate::operator=(const CAnimate& other) {
    if (this == &other)
        return *this;
    CopyState(other);
    ResetData(other.m_data ? static_cast<CAnimateData*>(other.m_data->Clone()) : nullptr);
    return *this;
}

IClone* CAnimate::Clone() {
    auto copy = MakeOwned<CAnimate>(m_transparent);
    *copy = *this;
    return copy.release();
}

void CAnimate::Destroy() {
    delete this;
}

ICompressStoreObj* CAnimate::ShallowClone(ICompressStoreObj* sub) {
    auto* data = dynamic_cast<CAnimateData*>(sub);
    if (data == nullptr && sub != nullptr)
        return static_cast<CAnimate*>(Clone());
    auto copy = MakeOwned<CAnimate>(m_transparent);
    copy->CopyState(*this);
    copy->m_data = data;
    copy->m_shallow = 1;
    return copy.release();
}

void CAnimate::ShallowDestroy() {
    delete this;
}

int CAnimate::SetAnimate(const std::string& bytes, CZarniArray<unsigned int> delays,
                         const std::string& replaceText) {
    if (bytes.empty())
        return 0;
    ResetData(nullptr);
    auto frames = MakeOwned<CAnimateFrames>();
    if (!frames->Load(bytes, delays))
        return 0;
    auto data = MakeOwned<CAnimateData>();
    data->Init(*frames, replaceText);
    m_data = data.release();
    m_curFrame = 0;
    m_elapsed = 0;
    return 1;
}

CSize CAnimate::GetSize() {
    CAnimateFrames* frames = m_data ? m_data->GetFrames() : nullptr;
    return frames ? frames->GetFrameSize() : CSize(0, 0);
}

int CAnimate::Draw(IXCanvas* canvas, const CRect& place, const CRect& clip) {
    CAnimateFrames* frames = m_data ? m_data->GetFrames() : nullptr;
    CRect source;
    if (canvas == nullptr || frames == nullptr || !frames->SelectFrame(m_curFrame, source))
        return 0;
    return DrawPicture(canvas, frames->GetImage(), source, place, clip,
                       static_cast<int>(m_transparent));
}

CString CAnimate::GetReplaceText() {
    return m_data ? m_data->GetReplaceText() : CString();
}

ZarniUUID CAnimate::GetCLSID() {
    return AnimateClassId();
}

void CAnimate::streamout(CPack& pack) const {
    pack << m_transparent;
    if (m_data)
        m_data->StreamOut(pack);
}

void CAnimate::streamin(CPack& pack) {
    pack >> m_transparent;
    ResetData(MakeOwned<CAnimateData>().release());
    m_data->StreamIn(pack);
    m_curFrame = 0;
    m_elapsed = 0;
}

void CAnimate::TimeArrive(unsigned int tick) {
    CAnimateFrames* frames = m_data ? m_data->GetFrames() : nullptr;
    if (frames == nullptr)
        return;
    // A still picture does not animate.
    if (frames->HasPicture() && frames->GetFrameCount() < 2)
        return;
    m_elapsed += tick;
    if (m_elapsed < frames->GetFrameDelay(m_curFrame))
        return;
    m_elapsed = 0;
    if (++m_curFrame >= frames->GetFrameCount())
        m_curFrame = 0;
    if (m_painter)
        m_painter->OnFrameChanged(this);
}

}  // namespace zarni
