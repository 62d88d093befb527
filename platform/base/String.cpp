// CString operations that need to know character boundaries of the active code page.
#include "platform/base/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/base/CodePage.h"

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int CString::CharLength(int index) const {
    if (CCodePage::IsLeadByte(static_cast<BYTE>(m_s[index])) && index + 1 < GetLength())
        return 2;
    return 1;
}

int CString::CharStartAtOrBefore(int index) const {
    int i = 0;
    while (i < GetLength()) {
        const int n = CharLength(i);
        if (i + n > index)
            return i;
        i += n;
    }
    return i;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_s.resize(minLength, '\0');
    // Keep a zero past the end so that ReleaseBuffer(-1) always finds one.
    m_s.reserve(m_s.size() + 1);
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = static_cast<int>(strnlen(m_s.c_str(), m_s.size()));
    }
    if (newLength <= GetLength())
        m_s.resize(newLength);
}

char* CString::GetBufferSetLength(int length) {
    m_s.resize(length > 0 ? length : 0, '\0');
    return &m_s[0];
}

void CString::FormatV(const char* format, va_list args) {
    if (!format) {
        m_s.clear();
        return;
    }
    va_list copy;
    va_copy(copy, args);
    const int n = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        m_s.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    vsnprintf(buffer.data(), buffer.size(), format, args);
    m_s.assign(buffer.data(), n);
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_s += tail.m_s;
}

CString CString::Left(int count) const {
    if (count <= 0)
        return CString();
    return CString(m_s.substr(0, std::min(count, GetLength())));
}

CString CString::Right(int count) const {
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(GetLength() - count));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    count = std::min(count, GetLength() - first);
    return CString(m_s.substr(first, count));
}

int CString::Find(char ch, int start) const {
    if (start < 0)
        start = 0;
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (i >= start && m_s[i] == ch && CharLength(i) == 1)
            return i;
    }
    return -1;
}

int CString::Find(const char* sub, int start) const {
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    const size_t n = strlen(sub);
    if (start > GetLength())
        return -1;
    if (n == 0)
        return start;
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (i >= start && m_s.compare(i, n, sub) == 0)
            return i;
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    int found = -1;
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (m_s[i] == ch && CharLength(i) == 1)
            found = i;
    }
    return found;
}

int CString::FindOneOf(const char* chars) const {
    if (!chars)
        return -1;
    const size_t n = strlen(chars);
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (CharLength(i) == 1 && memchr(chars, m_s[i], n) != nullptr && m_s[i] != '\0')
            return i;
    }
    return -1;
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (m_s[i] == oldCh && CharLength(i) == 1) {
            m_s[i] = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    if (!oldText || !*oldText)
        return 0;
    if (!newText)
        newText = "";
    const int oldLen = static_cast<int>(strlen(oldText));
    std::string out;
    int count = 0;
    int i = 0;
    while (i < GetLength()) {
        if (m_s.compare(i, oldLen, oldText) == 0) {
            out += newText;
            i += oldLen;
            ++count;
        } else {
            const int n = CharLength(i);
            out.append(m_s, i, n);
            i += n;
        }
    }
    if (count)
        m_s.swap(out);
    return count;
}

int CString::Remove(char ch) {
    std::string out;
    int count = 0;
    for (int i = 0; i < GetLength();) {
        const int n = CharLength(i);
        if (n == 1 && m_s[i] == ch) {
            ++count;
        } else {
            out.append(m_s, i, n);
        }
        i += n;
    }
    if (count)
        m_s.swap(out);
    return count;
}

int CString::Insert(int index, char ch) {
    return Insert(index, std::string(1, ch).c_str());
}

int CString::Insert(int index, const char* text) {
    if (!text)
        return GetLength();
    index = std::clamp(index, 0, GetLength());
    m_s.insert(index, text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength())
        m_s.erase(index, count);
    return GetLength();
}

CString& CString::TrimLeft(const char* targets) {
    if (!targets)
        return *this;
    const size_t n = strlen(targets);
    int i = 0;
    while (i < GetLength() && CharLength(i) == 1 && m_s[i] != '\0' &&
           memchr(targets, m_s[i], n) != nullptr) {
        ++i;
    }
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight(const char* targets) {
    if (!targets)
        return *this;
    const size_t n = strlen(targets);
    // The cut starts after the last character that is not trimmed.
    int keep = 0;
    for (int i = 0; i < GetLength();) {
        const int len = CharLength(i);
        const bool trimmable = len == 1 && m_s[i] != '\0' && memchr(targets, m_s[i], n) != nullptr;
        i += len;
        if (!trimmable)
            keep = i;
    }
    m_s.resize(keep);
    return *this;
}

CString& CString::TrimLeft() {
    return TrimLeft(" \t\n\r\v\f");
}
CString& CString::TrimRight() {
    return TrimRight(" \t\n\r\v\f");
}
CString& CString::TrimLeft(char target) {
    const char t[2] = {target, 0};
    return TrimLeft(t);
}
CString& CString::TrimRight(char target) {
    const char t[2] = {target, 0};
    return TrimRight(t);
}
CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char target) {
    return TrimRight(target).TrimLeft(target);
}
CString& CString::Trim(const char* targets) {
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::MakeLower() {
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (CharLength(i) == 1)
            m_s[i] = AsciiLower(m_s[i]);
    }
    return *this;
}

CString& CString::MakeUpper() {
    for (int i = 0; i < GetLength(); i += CharLength(i)) {
        if (CharLength(i) == 1)
            m_s[i] = AsciiUpper(m_s[i]);
    }
    return *this;
}

CString& CString::MakeReverse() {
    std::string out(m_s.size(), '\0');
    size_t pos = m_s.size();
    for (int i = 0; i < GetLength();) {
        const int n = CharLength(i);
        pos -= n;
        m_s.copy(&out[pos], n, i);
        i += n;
    }
    m_s.swap(out);
    return *this;
}

int CString::Compare(const char* other) const {
    const std::string o = other ? other : "";
    const int c = m_s.compare(o);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CString::CompareNoCase(const char* other) const {
    CString a(*this), b(other);
    return a.MakeLower().Compare(b.MakeLower());
}
