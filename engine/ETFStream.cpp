// The editor text format: writing records into one pack, reading them in two passes.
#include "engine/ETFStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <unordered_map>
#include <vector>

#include "core/Owned.h"
#include "core/UiTexts.h"
#include "engine/EditTarget.h"
#include "engine/UnitCount.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatCreatorRegistry.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "links/LinkManager.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/EditorListeners.h"
#include "model/RedrawSwitch.h"
#include "model/StoreRef.h"
#include "objects/Animate.h"
#include "objects/ClassIds.h"
#include "objects/CreatorRegistry.h"
#include "objects/ExternalObj.h"
#include "objects/ObjectPaintHost.h"
#include "platform/ui/WinUser.h"

namespace {

// The length field of a record (a pack integer field) counts itself.
constexpr uint32_t kLengthField = CPack::kFieldLength;
constexpr uint32_t kPrologueLength = CETFStream::kHeaderLength + CETFStream::kStampLength;

void ShowFileError(int error) {
    MessageBoxA(nullptr, std::strerror(error), "", MB_OK);
}

// Starts key with the class id's 16 bytes, which begin the key of a record read once per
// load. Assigning into the caller's string keeps its storage from record to record.
void SetClassKey(std::string& key, const ZarniUUID& clsid) {
    uint8_t bytes[sizeof(ZarniUUID)];
    clsid.ToBytes(bytes);
    key.assign(reinterpret_cast<const char*>(bytes), sizeof(bytes));
}

// A stored range end: base + offset, held inside int.
int32_t Shifted(int32_t offset, int base) {
    const int64_t v = int64_t{offset} + base;
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Reads up to count bytes into out (which ends up holding what was read); 0 or the error.
int ReadUpTo(int fd, std::string& out, size_t count) {
    out.resize(count);
    size_t done = 0;
    int error = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, out.data() + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    out.resize(done);
    return error;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

// ---- The editor as receiver ----

int CEditorETFSink::InsertCO(int pos, const ZarniUUID& id) {
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    if (doc == nullptr || !doc->InsertCO(pos, id))
        return 0;
    ICompressStoreObj* obj = CCompressStore::Instance().Find(id);
    if (auto* animation = dynamic_cast<IAnimate*>(obj))
        animation->SetPainter(m_editor->GetEditorListeners());
    if (IExternalObj* external = ExternalOf(obj)) {
        IObjectPaintHost* host = m_editor->GetObjectPaintHost();
        external->SetPaintHost(host);
        if (host)
            host->AddRepaintObject(obj);
    }
    return 1;
}

int CEditorETFSink::Inserts(int pos, const CString& text) {
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    if (doc == nullptr)
        return 0;
    const int before = doc->GetLength();
    doc->Inserts(pos, text);
    return doc->GetLength() - before;
}

void CEditorETFSink::Reserve(int units) {
    if (IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr)
        doc->Reserve(units);
}

// ---- Writing ----

int CETFStream::OutputObject(ICompressStoreObj* obj, const CRange&) {
    return WriteObject(obj);
}

int CETFStream::OutputText(const CString& text, const CRange&) {
    return WriteText(text);
}

int CETFStream::PutFont(CFontInfo* font, const CRange& range) {
    return WriteFormatRun(font, range);
}

int CETFStream::PutColor(CColorInfo* color, const CRange& range) {
    return WriteFormatRun(color, range);
}

int CETFStream::WriteObject(ICompressStoreObj* obj) {
    ISerialize* serial = SerializeOf(obj);
    if (serial == nullptr)
        return 0;
    m_pack << serial->GetCLSID();
    m_pack.BeginBlock();
    serial->streamout(m_pack);
    m_pack.EndBlock();
    return 1;
}

int CETFStream::WriteText(const CString& text) {
    m_pack << TextRunClassId();
    m_pack.BeginBlock();
    m_pack << text;
    m_pack.EndBlock();
    return 1;
}

int CETFStream::WriteFormatRun(ISerialize* record, const CRange& range) {
    if (record == nullptr)
        return 0;
    m_pack << record->GetCLSID();
    m_pack.BeginBlock();
    m_pack << (range.home - m_base) << (range.end - m_base);
    record->streamout(m_pack);
    m_pack.EndBlock();
    return 1;
}

int CETFStream::WriteLink(ILinkInfo* link, const CRange& range) {
    if (link == nullptr || link->GetType() == LINK_TYPE_NONE)
        return 0;
    const unsigned int type = link->GetType();
    m_pack << LinkRunClassId();
    m_pack.BeginBlock();
    m_pack << (range.home - m_base) << (range.end - m_base) << type << link->GetText()
           << link->GetOutID();
    const unsigned long value = link->GetValue();
    if (type == LINK_TYPE_URL) {
        // The value is the address, held in a string the link owns.
        const auto* address = reinterpret_cast<const CString*>(value);
        m_pack << (address ? *address : CString());
    } else {
        // A host value travels whole, as its low and high 32 bits.
        m_pack << static_cast<unsigned int>(value & 0xFFFFFFFFu)
               << static_cast<unsigned int>(uint64_t{value} >> 32);
    }
    m_pack.EndBlock();
    return 1;
}

int CETFStream::WriteRange(IEditTarget* editor, const CRange& range) {
    IDoc* doc = editor ? editor->GetDocument() : nullptr;
    CFormatInfo* formats = editor ? editor->GetFormatInfo() : nullptr;
    if (range.IsEmpty() || doc == nullptr || formats == nullptr)
        return 0;
    SetBase(range.home);
    if (!doc->Output(this, range) || !formats->Output(this, range))
        return 0;
    if (CLinkManager* links = editor->GetLinks()) {
        std::vector<SLinkRun> runs;
        links->GetLinks(range, runs);
        for (const SLinkRun& run : runs)
            WriteLink(run.link, run.range);
    }
    return 1;
}

void CETFStream::Reset() {
    m_pack.Reset();
}

int CETFStream::GetResult(std::string& out) const {
    out.append(kHeader, kHeaderLength);
    out.append(kVersionStamp, kStampLength);
    out.append(m_pack.GetBuffer());
    return 1;
}

// ---- Reading ----

bool CETFStream::HasHeader(const std::string& data) {
    return data.size() >= kHeaderLength && data.compare(0, kHeaderLength, kHeader) == 0;
}

bool CETFStream::CheckPrologue(const std::string& data) {
    if (!HasHeader(data))
        return false;
    if (data.size() < kPrologueLength ||
        data.compare(kHeaderLength, kStampLength, kVersionStamp) != 0) {
        MessageBoxA(nullptr, UiText(EUiText::VersionWarning), UiText(EUiText::VersionCaption),
                    MB_OK);
    }
    return true;
}

int CETFStream::Open(const std::string& data) {
    if (!CheckPrologue(data))
        return 0;
    if (data.size() > kPrologueLength)
        m_pack.Attach(data.data() + kPrologueLength, data.size() - kPrologueLength);
    m_pack.Reset();
    return 1;
}

int CETFStream::Open(const std::string& prologue, std::string&& body) {
    if (!CheckPrologue(prologue))
        return 0;
    m_pack.Attach(std::move(body));
    m_pack.Reset();
    return 1;
}

uint32_t CETFStream::RecordLength() const {
    int declared = 0;
    if (m_pack.PeekInt(declared) == 0 || declared < static_cast<int>(kLengthField) ||
        static_cast<uint32_t>(declared) > m_pack.Remaining())
        return 0;
    return static_cast<uint32_t>(declared);
}

bool CETFStream::TakeRecord(std::string& bytes) {
    const uint32_t length = RecordLength();
    if (length == 0)
        return false;
    m_pack.AppendBytes(bytes, length);
    return true;
}

bool CETFStream::TakePayload(CPack& payload) {
    const uint32_t length = RecordLength();
    if (length == 0)
        return false;
    payload.Attach(m_pack.PeekRaw(length) + kLengthField, length - kLengthField);
    m_pack.Drop(length);
    return true;
}

bool CETFStream::SkipRecord() {
    int declared = 0;
    if (m_pack.Skip(sizeof(ZarniUUID)) == 0)
        return false;
    return m_pack.PeekInt(declared) != 0 && declared >= static_cast<int>(kLengthField) &&
           m_pack.Skip(static_cast<uint32_t>(declared)) != 0;
}

int CETFStream::CountContentUnits() {
    int64_t units = 0;
    m_pack.Reset();
    while (m_pack.Remaining() > 0) {
        ZarniUUID clsid;
        int declared = 0;
        if (m_pack.PeekUUID(clsid) == 0 || m_pack.Skip(sizeof(ZarniUUID)) == 0 ||
            m_pack.PeekInt(declared) == 0 || declared < static_cast<int>(kLengthField) ||
            m_pack.Skip(static_cast<uint32_t>(declared)) == 0)
            break;
        units += clsid == TextRunClassId() ? declared - kLengthField : 1;
    }
    m_pack.Reset();
    return static_cast<int>(std::min<int64_t>(units, INT32_MAX));
}

int CETFStream::ReadContent(IETFSink* sink, int pos) {
    m_pack.Reset();
    if (sink == nullptr)
        return 0;
    // The document takes its room once rather than growing record by record.
    sink->Reserve(CountContentUnits());
    m_inserted = CRange(pos, pos);
    CCompressStore& store = CCompressStore::Instance();
    // Object records whose object the store already held when read (objects named by their
    // content, such as pictures): the same class and bytes name it again, so a repeat is
    // placed by its id without being read. Objects named afresh each time never get here.
    constexpr size_t kMaxRepeats = 256;
    std::unordered_map<std::string, ZarniUUID> repeats;
    int p = pos;
    while (m_pack.Remaining() > 0) {
        ZarniUUID clsid;
        if (m_pack.PeekUUID(clsid) == 0)
            break;
        if (clsid == TextRunClassId()) {
            // Read in place rather than through a payload copy: text runs are the bulk of
            // a document. A longer block than the string (a later version's extra fields)
            // is dropped with it.
            m_pack.DropUUID();
            int declared = 0;
            CString text;
            const uint32_t before = m_pack.Remaining();
            m_pack >> declared >> text;
            const uint32_t used = before - m_pack.Remaining();
            if (used <= kLengthField)
                break;  // cut short
            if (declared > static_cast<int>(used) &&
                static_cast<uint32_t>(declared) - used <= m_pack.Remaining()) {
                std::string extra;
                m_pack.ReadBytes(extra, static_cast<uint32_t>(declared) - used);
            }
            if (!text.IsEmpty())
                p = AddUnitsSaturated(p, std::max(sink->Inserts(p, text), 0));
            continue;
        }
        TOwned<ICompressStoreObj> obj(CCreatorRegistry::Instance().CreateObj(clsid));
        if (!obj) {
            if (!SkipRecord())
                break;
            continue;
        }
        // The object reads from its own record only, so a damaged one cannot take the
        // records after it.
        m_pack.DropUUID();
        std::string key;
        SetClassKey(key, clsid);
        if (!TakeRecord(key))
            break;
        auto repeat = repeats.find(key);
        if (repeat != repeats.end() && store.Find(repeat->second) != nullptr) {
            if (sink->InsertCO(p, repeat->second))
                p = AddUnitsSaturated(p, 1);
            continue;
        }
        CPack payload;
        payload.Attach(key.data() + sizeof(ZarniUUID) + kLengthField,
                       key.size() - sizeof(ZarniUUID) - kLengthField);
        if (ISerialize* serial = SerializeOf(obj.get()))
            serial->streamin(payload);
        const ZarniUUID id = obj->GetID();
        const bool held = store.Find(id) != nullptr;
        // The store keeps a copy under the id while the receiver inserts it; the inserted
        // unit holds its own reference, this one goes at the end of the scope.
        if (id.IsNull() || store.Add(obj.get()) == nullptr)
            continue;
        const CStoreRef added = CStoreRef::Adopt(id);
        if (held && repeats.size() < kMaxRepeats)
            repeats.emplace(std::move(key), id);
        if (sink->InsertCO(p, id))
            p = AddUnitsSaturated(p, 1);
    }
    m_inserted.end = p;
    return 1;
}

CRange CETFStream::RunRange(int home, int end, int base) const {
    CRange range(Shifted(home, base), Shifted(end, base));
    if (m_inserted.end >= m_inserted.home && !CRange::Intersect(range, m_inserted, range))
        return CRange();
    return range;
}

bool CETFStream::ReadLinkRun(CPack& payload, CLinkManager* links, int base) {
    int home = 0, end = 0;
    unsigned int type = LINK_TYPE_NONE;
    CString text;
    ZarniUUID outId;
    payload >> home >> end >> type >> text >> outId;
    unsigned long value = 0;
    CString address;
    if (type == LINK_TYPE_URL) {
        payload >> address;
    } else {
        unsigned int low = 0, high = 0;
        payload >> low >> high;
        value = static_cast<unsigned long>(low | (uint64_t{high} << 32));
    }
    const CRange range = RunRange(home, end, base);
    if (links == nullptr || type == LINK_TYPE_NONE || range.IsEmpty())
        return false;
    zarni::CLinkInfo link(text, 0, type, outId);
    if (type == LINK_TYPE_URL) {
        link.SetLinkInfo(text, reinterpret_cast<unsigned long>(new CString(address)), type, outId);
        link.SetAutoDeleteValue(1);
    } else {
        link.SetLinkInfo(text, value, type, outId);
    }
    links->SetLink(range, &link);
    return true;
}

int CETFStream::ReadFormats(CFormatInfo* formats, CLinkManager* links, int base) {
    m_pack.Reset();
    CFormatCreatorRegistry& registry = CFormatCreatorRegistry::Instance();
    // A document repeats a few fonts and colours over many runs: each distinct record
    // (class and bytes) is made and read once. Classes known to have a creator are kept too.
    struct SRecord {
        TOwned<ICompressStoreObj> record;
        CFontInfo* font;
        CColorInfo* color;
    };
    constexpr size_t kMaxRecords = 1024;
    std::unordered_map<std::string, SRecord> records;
    std::set<ZarniUUID> creatable;
    std::string key;
    while (m_pack.Remaining() > 0) {
        ZarniUUID clsid;
        if (m_pack.PeekUUID(clsid) == 0)
            break;
        const bool isLink = clsid == LinkRunClassId();
        TOwned<ICompressStoreObj> made;
        if (!isLink && creatable.count(clsid) == 0) {
            made.reset(registry.CreateObj(clsid));
            if (!made) {
                if (!SkipRecord())
                    break;
                continue;
            }
            creatable.insert(clsid);
        }
        m_pack.DropUUID();
        if (isLink) {
            CPack payload;
            if (!TakePayload(payload))
                break;
            ReadLinkRun(payload, links, base);
            continue;
        }
        // A run is read in place: most name a record already made, so only its key is
        // built. Home and end are read as a pack reads them: a field is taken only when
        // all 8 characters are there, and a field that is not a number leaves 0.
        const uint32_t length = RecordLength();
        if (length == 0)
            break;
        const char* record = m_pack.PeekRaw(length);
        uint32_t at = kLengthField;
        int home = 0, end = 0;
        for (int* field : {&home, &end}) {
            uint32_t value = 0;
            if (length - at < CPack::kFieldLength)
                break;
            if (CPack::ParseField(record + at, value))
                *field = static_cast<int32_t>(value);
            at += CPack::kFieldLength;
        }
        SetClassKey(key, clsid);
        key.append(record + at, length - at);
        auto found = records.find(key);
        if (found == records.end()) {
            if (!made)
                made.reset(registry.CreateObj(clsid));
            CPack payload(record + at, length - at);
            if (ISerialize* serial = SerializeOf(made.get()))
                serial->streamin(payload);
            if (records.size() >= kMaxRecords)
                records.clear();
            ICompressStoreObj* object = made.get();
            found = records
                        .emplace(key, SRecord{std::move(made), dynamic_cast<CFontInfo*>(object),
                                              dynamic_cast<CColorInfo*>(object)})
                        .first;
        }
        m_pack.Drop(length);
        // An empty range would set the typing attributes instead of a run.
        const CRange range = RunRange(home, end, base);
        if (formats == nullptr || range.IsEmpty())
            continue;
        if (found->second.font)
            formats->SetFont(found->second.font, range);
        else if (found->second.color)
            formats->SetColor(found->second.color, range);
    }
    return 1;
}

int CETFStream::ReadInto(IEditTarget* editor, int pos) {
    if (editor == nullptr)
        return 0;
    CLayoutHold hold(editor->GetRedrawSwitch());
    CEditorETFSink sink(editor);
    ReadContent(&sink, pos);
    return ReadFormats(editor->GetFormatInfo(), editor->GetLinks(), pos);
}

// ---- Files ----

int CETFStream::SaveFile(const char* path) {
    if (path == nullptr || *path == '\0') {
        ShowFileError(ENOENT);
        return 0;
    }
    std::string bytes;
    GetResult(bytes);
    struct stat existing {};
    const bool replacing = ::stat(path, &existing) == 0 && S_ISREG(existing.st_mode);
    // A new file is written in place: there is nothing to lose. An existing one is
    // replaced only once the new content is complete.
    std::string target = path;
    int fd = -1;
    if (replacing) {
        target += ".XXXXXX";
        fd = ::mkstemp(target.data());
        if (fd >= 0)
            ::fchmod(fd, existing.st_mode & 07777);
    } else {
        fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }
    if (fd < 0) {
        ShowFileError(errno);
        return 0;
    }
    const bool written = WriteAll(fd, bytes);
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && replacing && ::rename(target.c_str(), path) != 0)
        error = errno;
    if (error != 0) {
        if (replacing)
            ::unlink(target.c_str());
        ShowFileError(error);
        return 0;
    }
    return 1;
}

int CETFStream::LoadFile(const char* path) {
    if (path == nullptr || *path == '\0') {
        ShowFileError(ENOENT);
        return 0;
    }
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ShowFileError(errno);
        return 0;
    }
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : 0;
    if (error == 0 && static_cast<uint64_t>(info.st_size) > uint64_t{CPack::kMaxLength})
        error = EFBIG;
    // The prologue is read apart, so the body becomes the pack's buffer as it is.
    std::string prologue, body;
    if (error == 0) {
        const size_t size = static_cast<size_t>(info.st_size);
        error = ReadUpTo(fd, prologue, std::min<size_t>(size, kPrologueLength));
        if (error == 0 && prologue.size() == kPrologueLength)
            error = ReadUpTo(fd, body, size - kPrologueLength);
    }
    ::close(fd);
    if (error != 0) {
        ShowFileError(error);
        return 0;
    }
    if (prologue.empty())
        return 0;
    return Open(prologue, std::move(body));
}
