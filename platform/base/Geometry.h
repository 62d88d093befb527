// CPoint, CSize and CRect: the geometry value classes with the operations of the
// Windows window-class library.
#pragma once

#include <algorithm>

#include "platform/base/WinTypes.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x_, int y_) : POINT{x_, y_} {}
    CPoint(const POINT& p) : POINT(p) {}
    explicit CPoint(const SIZE& s) : POINT{s.cx, s.cy} {}
    // Coordinates packed as in a mouse message's LPARAM.
    explicit CPoint(LPARAM lp) : POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)} {}

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void Offset(const POINT& p) { Offset(p.x, p.y); }
    void SetPoint(int x_, int y_) {
        x = x_;
        y = y_;
    }

    bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
    bool operator!=(const POINT& p) const { return !(*this == p); }
    CPoint& operator+=(const POINT& p) {
        Offset(p);
        return *this;
    }
    CPoint& operator-=(const POINT& p) {
        Offset(-p.x, -p.y);
        return *this;
    }
    CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(const POINT& p) const { return CPoint(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
    CSize(const SIZE& s) : SIZE(s) {}

    void SetSize(int cx_, int cy_) {
        cx = cx_;
        cy = cy_;
    }
    bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const SIZE& s) const { return !(*this == s); }
    CSize& operator+=(const SIZE& s) {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    CSize& operator-=(const SIZE& s) {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }
    CSize operator+(const SIZE& s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(const SIZE& s) const { return CSize(cx - s.cx, cy - s.cy); }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const POINT& topLeft, const SIZE& size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    // Empty when it has no area (zero or negative width or height).
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Half-open: the right and bottom edges are outside.
    bool PtInRect(const POINT& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    bool EqualRect(const RECT& r) const {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void InflateRect(int dx, int dy) {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    // Common part of a and b; empty (all zero) when they do not overlap. Returns
    // whether the result is non-empty.
    bool IntersectRect(const RECT& a, const RECT& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Smallest rectangle holding both; an empty operand is ignored.
    bool UnionRect(const RECT& a, const RECT& b) {
        const CRect ra(a), rb(b);
        if (ra.IsRectEmpty()) {
            *this = rb.IsRectEmpty() ? CRect() : rb;
        } else if (rb.IsRectEmpty()) {
            *this = ra;
        } else {
            SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }

    bool operator==(const RECT& r) const { return EqualRect(r); }
    bool operator!=(const RECT& r) const { return !EqualRect(r); }
    CRect& operator&=(const RECT& r) {
        IntersectRect(*this, r);
        return *this;
    }
    CRect& operator|=(const RECT& r) {
        UnionRect(*this, r);
        return *this;
    }
    CRect operator&(const RECT& r) const {
        CRect out;
        out.IntersectRect(*this, r);
        return out;
    }
    CRect operator|(const RECT& r) const {
        CRect out;
        out.UnionRect(*this, r);
        return out;
    }
    CRect& operator+=(const POINT& p) {
        OffsetRect(p);
        return *this;
    }
    CRect& operator-=(const POINT& p) {
        OffsetRect(-p.x, -p.y);
        return *this;
    }
    CRect operator+(const POINT& p) const {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    CRect operator-(const POINT& p) const {
        CRect r(*this);
        r.OffsetRect(-p.x, -p.y);
        return r;
    }
};
