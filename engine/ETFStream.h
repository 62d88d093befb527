// CETFStream: writes and reads the editor text format, the byte form of documents, ranges
// and clipboard content.
#pragma once

#include <cstdint>
#include <string>

#include "core/Range.h"
#include "format/FormatOutputStream.h"
#include "model/DocOutputStream.h"
#include "persist/Pack.h"
#include "platform/base/String.h"

class CFormatInfo;
class CLinkManager;
class ICompressStoreObj;
class IEditTarget;
class ILinkInfo;
class ISerialize;
struct ZarniUUID;

// The receiver of the content pass: text runs and objects (by id) at document positions.
// Each answers the number of units the document gained, which the pass advances by: the
// document may drop units it cannot store or hit its limit.
class IETFSink {
public:
    virtual int InsertCO(int pos, const ZarniUUID& id) = 0;
    virtual int Inserts(int pos, const CString& text) = 0;
    // Told before the first insertion how many units may come at most.
    virtual void Reserve(int /*units*/) {}

protected:
    ~IETFSink() = default;
};

// The content pass's receiver for an editor: inserts into its document and gives objects
// what the insertion commands give them (animations the editor's listener list as painter,
// external objects the view as painting host).
class CEditorETFSink : public IETFSink {
public:
    explicit CEditorETFSink(IEditTarget* editor) : m_editor(editor) {}
    int InsertCO(int pos, const ZarniUUID& id) override;
    int Inserts(int pos, const CString& text) override;
    void Reserve(int units) override;

private:
    IEditTarget* m_editor;  // not owned
};

// The format: an 18-byte header, an 11-byte version stamp, then records back to back. A
// record is a 16-byte class id, an 8-character length counting itself and the payload, and
// the payload. Text runs and objects come first in document order and carry no positions;
// font, colour and link runs follow with ranges relative to the saved range's home (the
// base). Link runs are this editor's own record class; readers that do not know it skip it
// by its length, as they skip every unknown record.
//
// One stream serves one save or one load. Writing goes through the document and format
// output streams; reading is two passes over one consuming buffer: the content pass takes
// the text and object records and leaves the others in front of its read position, the
// format pass then goes back and takes the font, colour and link runs.
class CETFStream : public IDocOutputStream, public IFormatOutputStream {
public:
    static constexpr char kHeader[] = "Zarni Editor file ";
    static constexpr uint32_t kHeaderLength = sizeof(kHeader) - 1;
    static constexpr char kVersionStamp[] = "Sep  2 2006";
    static constexpr uint32_t kStampLength = sizeof(kVersionStamp) - 1;

    CETFStream() = default;
    CETFStream(const CETFStream&) = delete;
    CETFStream& operator=(const CETFStream&) = delete;

    // Writing. Objects without a serialised form and null records write nothing (0).
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    int OutputText(const CString& text, const CRange& range) override;
    int PutFont(CFontInfo* font, const CRange& range) override;
    int PutColor(CColorInfo* color, const CRange& range) override;
    int WriteObject(ICompressStoreObj* obj);
    int WriteText(const CString& text);
    // One link run; the empty link writes nothing (0).
    int WriteLink(ILinkInfo* link, const CRange& range);
    // The document's units of range, the format runs and the links (when given) over it,
    // with base range.home. 0 for an empty or inverted range or a failed output.
    int WriteRange(IEditTarget* editor, const CRange& range);

    // Read position 0, no open block.
    void Reset() override;
    void SetBase(int base) { m_base = base; }
    // Appends header, version stamp and body to out; 1.
    int GetResult(std::string& out) const;

    // Whether data begins with the header (no warning is shown).
    static bool HasHeader(const std::string& data);
    // Takes data in this format: 0 (nothing kept) for a short or different header; a
    // different version stamp shows the version warning and the body is taken anyway.
    int Open(const std::string& data);
    // The content pass: text and objects inserted from pos on; 1.
    int ReadContent(IETFSink* sink, int pos);
    // The format pass: font and colour runs given to formats, link runs to links (when not
    // null), each range shifted by base and, after a content pass, cut to the units it
    // inserted, so runs of damaged content never reach text that was there before; 1.
    int ReadFormats(CFormatInfo* formats, CLinkManager* links, int base);

    // Both passes into the editor at pos, with its layout held, so that the view lays the
    // loaded units out once instead of after every record; what ReadFormats answers.
    int ReadInto(IEditTarget* editor, int pos);

    // The result written to a file through a temporary one renamed over it, so a failed
    // save leaves an existing file as it was. File errors show the system's message in a
    // message box and answer 0.
    int SaveFile(const char* path);
    // Reads the whole file and opens it; 0 for an empty file, a file error (shown as for
    // saving) or a wrong header.
    int LoadFile(const char* path);

    const CPack& GetPack() const { return m_pack; }

private:
    // Class id, block and ranged payload of a font or colour run.
    int WriteFormatRun(ISerialize* record, const CRange& range);
    // With the class id already dropped: the record's payload (its length field checked
    // against the bytes left), consumed from the pack. False when the record is cut short.
    bool TakePayload(CPack& payload);
    // With the class id already dropped: the length of the record at the read position
    // (its length field counts itself), or 0 when the field is short, not a number, less
    // than itself, or longer than the bytes left.
    uint32_t RecordLength() const;
    // The same check, then the whole record after its class id (length field first) is
    // appended to bytes and consumed.
    bool TakeRecord(std::string& bytes);
    // At most the units the content pass can insert: the bytes of the text records and one
    // per other record, found by walking the records by their lengths; read position 0.
    int CountContentUnits();
    // Skips the record at the read position by its length; false when it cannot.
    bool SkipRecord();
    bool ReadLinkRun(CPack& payload, CLinkManager* links, int base);
    // The run's range shifted by base and cut to what the content pass inserted.
    CRange RunRange(int home, int end, int base) const;
    // Open for data split after its prologue (header and stamp): the body becomes the
    // pack's buffer without a copy.
    int Open(const std::string& prologue, std::string&& body);
    // Checks header and stamp of data (at least the header long); false for a wrong header.
    static bool CheckPrologue(const std::string& data);

    CPack m_pack;
    int m_base = 0;
    CRange m_inserted{0, -1};  // what the content pass inserted; inverted before one ran
};
