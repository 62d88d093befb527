// CDocGen: fixed-seed benchmark documents of ASCII words and Chinese ideographs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A generated document. Every character is one unit: an ASCII byte, an ideograph, or a
// paragraph break ('\n' in the UTF-8 text, '\r' in the code-page text). The last
// paragraph has no break, so both toolkits hold exactly `units` characters.
struct SBenchDoc {
    std::string utf8;
    std::string gbk;  // the same text in the active code page
    long units = 0;
    long ideographs = 0;
    std::vector<long> paraStarts;   // unit offset of each paragraph
    std::vector<long> paraLengths;  // units of each paragraph, its break excluded
};

// One typed character and where it goes.
struct SKeystroke {
    long pos = 0;  // unit offset of the insertion
    std::string utf8;
    std::string gbk;
};

class CDocGen {
public:
    static constexpr uint32_t kFirstIdeograph = 0x4E00;
    static constexpr uint32_t kLastIdeograph = 0x9FA5;
    static constexpr long kMinPara = 40;
    static constexpr long kMaxPara = 400;

    explicit CDocGen(uint64_t seed) : m_state(seed) {}

    // Paragraphs of 40-400 characters (the last one may be shorter) until the text holds
    // exactly `units` units, breaks included; about 30 % of the characters are ideographs.
    SBenchDoc Document(long units);
    // One paragraph of exactly `units` characters of the same mix.
    SBenchDoc Paragraph(long units);
    // Every ideograph U+4E00-U+9FA5 once, then printable ASCII, in 200-character paragraphs.
    static SBenchDoc WarmUpDocument();

    // `count` keystrokes into paragraph `para` of doc. With grow set each keystroke stays, so
    // the paragraph grows by one unit per keystroke; otherwise each is meant to be taken back
    // before the next. The first two go to the paragraph's start and end, so that a view that
    // follows the caret shows the whole paragraph; they are meant to be typed untimed. The
    // rest go to random places (atEnd false) or to the end of the paragraph (atEnd true).
    // 70 % are ASCII letters, 30 % ideographs.
    std::vector<SKeystroke> Keystrokes(const SBenchDoc& doc, size_t para, int count, bool atEnd,
                                       bool grow);

    // Empty string when doc keeps the generator's rules, else what is wrong. Paragraph
    // lengths are checked only when checkParagraphs is set.
    static std::string Validate(const SBenchDoc& doc, long units, bool checkParagraphs);

private:
    uint64_t Next();
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    uint32_t Ideograph() { return kFirstIdeograph + Below(kLastIdeograph - kFirstIdeograph + 1); }
    // Appends `length` characters of the mix to doc's UTF-8 text.
    void AppendParagraphText(SBenchDoc& doc, long length);
    static void Finish(SBenchDoc& doc);

    uint64_t m_state;
};
