// CString: 8-bit multibyte text of the active code page, with the familiar interface of
// the Windows window-class library.
#pragma once

#include <cstdarg>
#include <string>

#include "platform/base/WinTypes.h"

// Holds any bytes, including 0 and bytes above 127. Searching, replacing, trimming and
// case changes work on whole characters of the active code page: they never match or
// alter the trail byte of a double-byte character.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_s(text ? text : "") {}
    CString(const char* bytes, int length)
        : m_s(bytes && length > 0 ? std::string(bytes, length) : "") {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}
    CString(std::string&& s) : m_s(std::move(s)) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty() ? TRUE : FALSE; }
    void Empty() { m_s.clear(); }
    // Byte at index; 0 when out of range.
    char GetAt(int index) const { return InRange(index) ? m_s[index] : '\0'; }
    void SetAt(int index, char ch) {
        if (InRange(index))
            m_s[index] = ch;
    }
    char operator[](int index) const { return GetAt(index); }
    const char* GetString() const { return m_s.c_str(); }
    operator const char*() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    // Writable buffer of at least minLength bytes; ReleaseBuffer sets the length (the
    // position of the first zero byte when newLength is -1).
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);
    char* GetBufferSetLength(int length);

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // Byte index of the first match at or after start, or -1. Matches only begin on a
    // character boundary.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    // Return the number of replacements or removals made.
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    // Return the new length.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& Trim(char target);
    CString& Trim(const char* targets);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(const char* targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(const char* targets);

    CString& MakeLower();
    CString& MakeUpper();
    CString& MakeReverse();

    // Byte-wise comparison as unsigned bytes: <0, 0, >0.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    CString& operator=(const char* text) {
        m_s = text ? text : "";
        return *this;
    }
    CString& operator=(char ch) {
        m_s.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_s += other.m_s;
        return *this;
    }
    CString& operator+=(const char* text) {
        if (text)
            m_s += text;
        return *this;
    }
    CString& operator+=(char ch) {
        m_s += ch;
        return *this;
    }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return b.m_s < a.m_s; }
    friend bool operator<=(const CString& a, const CString& b) { return !(b.m_s < a.m_s); }
    friend bool operator>=(const CString& a, const CString& b) { return !(a.m_s < b.m_s); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const char* a, const CString& b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_s); }

private:
    bool InRange(int index) const { return index >= 0 && index < GetLength(); }
    // Byte length of the character starting at index (2 for a complete double-byte
    // character, else 1).
    int CharLength(int index) const;
    // The start of the character holding byte index (a trail byte maps to its lead).
    int CharStartAtOrBefore(int index) const;

    std::string m_s;
};
