// Fixed-seed benchmark documents: generation, keystrokes and their validation.
#include "bench/DocGen.h"

#include <algorithm>

#include "platform/base/CodePage.h"

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code-page text of UTF-8 text, paragraph breaks as '\r'. GBK trail bytes are never
// 0x0A, so the byte replacement cannot touch a double-byte character.
std::string ToCodePage(const std::string& utf8) {
    std::string out = CCodePage::FromUtf8(utf8);
    std::replace(out.begin(), out.end(), '\n', '\r');
    return out;
}

// Characters of the code-page text, each double-byte character counted once.
long CountUnits(const std::string& bytes) {
    long units = 0;
    for (size_t i = 0; i < bytes.size(); ++i, ++units) {
        if (CCodePage::IsLeadByte(static_cast<unsigned char>(bytes[i])))
            ++i;
    }
    return units;
}

// Characters of UTF-8 text.
long CountUtf8(const std::string& utf8) {
    long n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

uint64_t CDocGen::Next() {
    // splitmix64: the same sequence on every platform and standard library.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void CDocGen::AppendParagraphText(SBenchDoc& doc, long length) {
    long placed = 0;
    while (placed < length) {
        // A run of 1-6 ideographs (mean 3.5) against a word of 1-9 letters plus a space
        // (mean 6): choosing runs 42.4 % of the time gives 30 % ideographs.
        if (Below(1000) < 424) {
            const long run = std::min<long>(1 + Below(6), length - placed);
            for (long i = 0; i < run; ++i)
                AppendUtf8(doc.utf8, Ideograph());
            doc.ideographs += run;
            placed += run;
        } else {
            const long word = std::min<long>(1 + Below(9), length - placed);
            for (long i = 0; i < word; ++i)
                doc.utf8 += static_cast<char>('a' + Below(26));
            placed += word;
            if (placed < length) {
                doc.utf8 += ' ';
                ++placed;
            }
        }
    }
}

void CDocGen::Finish(SBenchDoc& doc) {
    doc.gbk = ToCodePage(doc.utf8);
}

SBenchDoc CDocGen::Document(long units) {
    SBenchDoc doc;
    doc.units = std::max(0L, units);
    long at = 0;
    while (at < doc.units) {
        if (at > 0) {
            doc.utf8 += '\n';
            ++at;
        }
        const long length =
            std::min<long>(kMinPara + Below(kMaxPara - kMinPara + 1), doc.units - at);
        doc.paraStarts.push_back(at);
        doc.paraLengths.push_back(length);
        AppendParagraphText(doc, length);
        at += length;
    }
    Finish(doc);
    return doc;
}

SBenchDoc CDocGen::Paragraph(long units) {
    SBenchDoc doc;
    doc.units = std::max(0L, units);
    doc.paraStarts.push_back(0);
    doc.paraLengths.push_back(doc.units);
    AppendParagraphText(doc, doc.units);
    Finish(doc);
    return doc;
}

SBenchDoc CDocGen::WarmUpDocument() {
    std::vector<uint32_t> chars;
    for (uint32_t cp = kFirstIdeograph; cp <= kLastIdeograph; ++cp)
        chars.push_back(cp);
    for (uint32_t cp = 0x20; cp < 0x7F; ++cp)
        chars.push_back(cp);
    SBenchDoc doc;
    constexpr size_t kPerParagraph = 200;
    for (size_t i = 0; i < chars.size(); i += kPerParagraph) {
        if (i > 0) {
            doc.utf8 += '\n';
            ++doc.units;
        }
        const size_t end = std::min(chars.size(), i + kPerParagraph);
        doc.paraStarts.push_back(doc.units);
        doc.paraLengths.push_back(static_cast<long>(end - i));
        for (size_t k = i; k < end; ++k) {
            AppendUtf8(doc.utf8, chars[k]);
            doc.ideographs += chars[k] >= kFirstIdeograph;
        }
        doc.units += static_cast<long>(end - i);
    }
    Finish(doc);
    return doc;
}

std::vector<SKeystroke> CDocGen::Keystrokes(const SBenchDoc& doc, size_t para, int count,
                                            bool atEnd, bool grow) {
    std::vector<SKeystroke> keys;
    if (para >= doc.paraStarts.size())
        return keys;
    const long start = doc.paraStarts[para];
    long length = doc.paraLengths[para];
    for (int i = 0; i < count; ++i) {
        SKeystroke key;
        if (i == 0)
            key.pos = start;
        else if (i == 1 || atEnd)
            key.pos = start + length;
        else
            key.pos = start + static_cast<long>(Below(static_cast<uint32_t>(length + 1)));
        if (Below(10) < 7)
            key.utf8 = std::string(1, static_cast<char>('a' + Below(26)));
        else
            AppendUtf8(key.utf8, Ideograph());
        key.gbk = CCodePage::FromUtf8(key.utf8);
        keys.push_back(key);
        if (grow)
            ++length;
    }
    return keys;
}

std::string CDocGen::Validate(const SBenchDoc& doc, long units, bool checkParagraphs) {
    if (doc.units != units)
        return "unit count " + std::to_string(doc.units) + " instead of " + std::to_string(units);
    if (CountUtf8(doc.utf8) != units)
        return "UTF-8 text holds " + std::to_string(CountUtf8(doc.utf8)) + " characters";
    if (CountUnits(doc.gbk) != units)
        return "code-page text holds " + std::to_string(CountUnits(doc.gbk)) + " units";
    std::string back = CCodePage::ToUtf8(doc.gbk);
    std::replace(back.begin(), back.end(), '\r', '\n');
    if (back != doc.utf8)
        return "the code-page text does not convert back to the UTF-8 text";
    long sum = 0;
    for (size_t i = 0; i < doc.paraLengths.size(); ++i) {
        const long length = doc.paraLengths[i];
        if (doc.paraStarts[i] != sum)
            return "paragraph " + std::to_string(i) + " starts at the wrong unit";
        const bool last = i + 1 == doc.paraLengths.size();
        if (checkParagraphs && (length > kMaxPara || (!last && length < kMinPara)))
            return "paragraph " + std::to_string(i) + " has " + std::to_string(length) + " units";
        sum += length + (last ? 0 : 1);
    }
    if (sum != units)
        return "paragraphs add up to " + std::to_string(sum) + " units";
    return std::string();
}
